#pragma once

#include "alarm/core/KSchAlarmConfig.h"
#include "model/KDaySchedule.h"
#include "storage/KOrvellaEnv.h"
#include "week/core/KWeekSchConfig.h"

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

// A JSON input that cannot be written; the text names the field.
class KCliInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The JSON forms of the three files, as `orvella-cli show --json` prints them and
// `orvella-cli write` reads them back.
namespace KCliJson {

using Json = nlohmann::ordered_json;

// "HH:MM:SS" with the hours as stored (they may be 24 or more).
std::string FormatTime(KSchTime t);
bool ParseTime(const std::string &text, KSchTime &out);
// "#RRGGBB" from the Windows colour layout (red in the low byte), and back.
std::string FormatColor(uint32_t color);
bool ParseColor(const std::string &text, uint32_t &out);

Json ScheduleToJson(const std::u16string &title, const KDaySchedule &schedule);
Json WeekToJson(const KWeekSchConfig &week);
Json SettingsToJson(const KOrvellaEnv &env, const KSchAlarmConfig &alarm, const KWeekSchConfig &week);
Json ErrorToJson(int code, const std::string &message);

// The JSON text the tool prints (indented by two). Strings keep their exact text; besides the
// controls below U+0020, which JSON escapes anyway, the other characters a terminal could obey
// (see KCliUtf::IsUnsafeOnTerminal) are written as \uXXXX escapes too.
std::string Dump(const Json &json);

// Fill the targets from JSON, or throw KCliInputError naming the field at fault.
void ScheduleFromJson(const Json &json, std::u16string &title, KDaySchedule &schedule);
void WeekFromJson(const Json &json, KWeekSchConfig &week);

} // namespace KCliJson
