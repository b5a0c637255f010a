#include "KCliJson.h"

#include "KCliUtf.h"

#include <cstdio>

namespace KCliJson {

namespace {

Json TextOrNull(const std::u16string &text)
{
    return text.empty() ? Json(nullptr) : Json(KCliUtf::ToUtf8(text));
}

[[noreturn]] void Refuse(const std::string &field, const std::string &problem)
{
    throw KCliInputError(field + ": " + problem);
}

const Json &Member(const Json &object, const char *key, const std::string &field)
{
    auto it = object.find(key);
    if (it == object.end())
        Refuse(field + key, "missing");
    return *it;
}

// A string of at most maxUnits UTF-16 units without zero characters; null is allowed when nullable.
std::u16string Text(const Json &value, const std::string &field, size_t maxUnits, bool nullable)
{
    if (value.is_null() && nullable)
        return std::u16string();
    if (!value.is_string())
        Refuse(field, nullable ? "must be a string or null" : "must be a string");
    std::u16string text = KCliUtf::FromUtf8(value.get<std::string>());
    if (text.find(u'\0') != std::u16string::npos)
        Refuse(field, "must not contain a zero character");
    if (text.size() > maxUnits)
        Refuse(field, "longer than " + std::to_string(maxUnits) + " characters");
    return text;
}

void CheckKind(const Json &json, const char *kind)
{
    if (!json.is_object())
        Refuse("(top level)", "must be a JSON object");
    const Json &k = Member(json, "kind", "");
    if (!k.is_string() || k.get<std::string>() != kind)
        Refuse("kind", std::string("must be \"") + kind + "\"");
}

bool Digits(const std::string &s, size_t from, size_t to)
{
    if (from >= to)
        return false;
    for (size_t i = from; i < to; ++i)
        if (s[i] < '0' || s[i] > '9')
            return false;
    return true;
}

} // namespace

std::string FormatTime(KSchTime t)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02u:%02u:%02u", unsigned(t.Hour), unsigned(t.Minute),
                  unsigned(t.Second));
    return buf;
}

bool ParseTime(const std::string &text, KSchTime &out)
{
    size_t c1 = text.find(':');
    if (c1 == std::string::npos || c1 > 3 || text.size() != c1 + 6 || text[c1 + 3] != ':')
        return false;
    if (!Digits(text, 0, c1) || !Digits(text, c1 + 1, c1 + 3) || !Digits(text, c1 + 4, c1 + 6))
        return false;
    unsigned h = unsigned(std::stoul(text.substr(0, c1)));
    unsigned m = unsigned(std::stoul(text.substr(c1 + 1, 2)));
    unsigned s = unsigned(std::stoul(text.substr(c1 + 4, 2)));
    if (h > 255 || m > 59 || s > 59)
        return false;
    out = KSchTime{uint8_t(h), uint8_t(m), uint8_t(s)};
    return true;
}

std::string FormatColor(uint32_t color)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return buf;
}

bool ParseColor(const std::string &text, uint32_t &out)
{
    if (text.size() != 7 || text[0] != '#')
        return false;
    uint32_t rgb = 0;
    for (size_t i = 1; i < 7; ++i) {
        char c = text[i];
        uint32_t v;
        if (c >= '0' && c <= '9')
            v = uint32_t(c - '0');
        else if (c >= 'a' && c <= 'f')
            v = uint32_t(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            v = uint32_t(c - 'A' + 10);
        else
            return false;
        rgb = (rgb << 4) | v;
    }
    out = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return true;
}

Json ScheduleToJson(const std::u16string &title, const KDaySchedule &schedule)
{
    Json frames = Json::array();
    for (int i = 0; i < schedule.GetCount(); ++i) {
        const KScheduleFrame &f = *schedule.GetFrame(i);
        frames.push_back(Json{{"start", FormatTime(f.StartTime)},
                              {"duration", FormatTime(f.Duration)},
                              {"item", KCliUtf::ToUtf8(f.ItemName)},
                              {"color", FormatColor(f.Color)},
                              {"memo", TextOrNull(f.Memo)}});
    }
    return Json{{"kind", "schedule"}, {"title", KCliUtf::ToUtf8(title)}, {"frames", frames}};
}

Json WeekToJson(const KWeekSchConfig &week)
{
    Json days = Json::array();
    for (const std::u16string &d : week.DayFiles)
        days.push_back(TextOrNull(d));
    return Json{{"kind", "week"}, {"days", days}};
}

Json SettingsToJson(const KOrvellaEnv &env, const KSchAlarmConfig &alarm, const KWeekSchConfig &week)
{
    Json points = Json::array();
    for (const KSchAlarmPoint &p : alarm.Points)
        points.push_back(Json{{"minutes", p.MinutesBefore},
                              {"soundName", TextOrNull(p.SoundName)},
                              {"soundFile", TextOrNull(p.SoundFile)},
                              {"source", p.Source}});
    Json extra = Json::array();
    for (const std::u16string &t : alarm.SpareTexts)
        extra.push_back(KCliUtf::ToUtf8(t));
    Json recent = Json::array();
    for (const std::u16string &r : env.RecentFiles)
        recent.push_back(KCliUtf::ToUtf8(r));
    const KOrvellaEnv::SkinState &s = env.SavedSkinState;
    return Json{{"kind", "settings"},
                {"language", env.SavedLanguage},
                {"optionBits", env.OptionBits},
                {"viewType", env.SavedViewType},
                {"skin", Json{{"flags", s.Flags},
                              {"size", s.Size},
                              {"transparency", s.Transparency},
                              {"top", s.Top},
                              {"left", s.Left}}},
                {"alarm", Json{{"flags", alarm.AlarmTypes},
                               {"enabledPoints", alarm.EnabledPoints},
                               {"points", points},
                               {"texts", Json::array({KCliUtf::ToUtf8(alarm.SpareText1),
                                                      KCliUtf::ToUtf8(alarm.SpareText2),
                                                      KCliUtf::ToUtf8(alarm.SpareText3)})},
                               {"extraTexts", extra}}},
                {"week", Json{{"autoOpen", week.AutoOpen}, {"autoReadFile", TextOrNull(week.AutoReadFile)}}},
                {"recent", recent}};
}

Json ErrorToJson(int code, const std::string &message)
{
    return Json{{"error", code}, {"message", message}};
}

void ScheduleFromJson(const Json &json, std::u16string &title, KDaySchedule &schedule)
{
    CheckKind(json, "schedule");
    auto t = json.find("title");
    std::u16string newTitle = t == json.end() ? std::u16string() : Text(*t, "title", 64, true);
    const Json &frames = Member(json, "frames", "");
    if (!frames.is_array())
        Refuse("frames", "must be an array");
    if (frames.empty())
        Refuse("frames", "a schedule needs at least one frame");
    if (frames.size() > size_t(KDaySchedule::DefaultCapacity))
        Refuse("frames", "more than " + std::to_string(KDaySchedule::DefaultCapacity) + " frames");

    KDaySchedule read;
    for (size_t i = 0; i < frames.size(); ++i) {
        std::string field = "frames[" + std::to_string(i) + "].";
        const Json &f = frames[i];
        if (!f.is_object())
            Refuse("frames[" + std::to_string(i) + "]", "must be an object");
        KScheduleFrame frame;
        for (const char *key : {"start", "duration"}) {
            const Json &v = Member(f, key, field);
            KSchTime time;
            if (!v.is_string() || !ParseTime(v.get<std::string>(), time))
                Refuse(field + key, "not a time HH:MM:SS (minutes and seconds below 60, hours up to 255)");
            (std::string(key) == "start" ? frame.StartTime : frame.Duration) = time;
        }
        std::u16string item =
            Text(Member(f, "item", field), field + "item", KScheduleFrame::ItemNameMax, false);
        if (item.empty())
            Refuse(field + "item", "must not be empty");
        const Json &c = Member(f, "color", field);
        if (!c.is_string() || !ParseColor(c.get<std::string>(), frame.Color))
            Refuse(field + "color", "not a colour #RRGGBB");
        auto memo = f.find("memo");
        std::u16string memoText =
            memo == f.end() ? std::u16string() : Text(*memo, field + "memo", KScheduleFrame::MemoMax, true);
        frame.SetItemName(item);
        frame.SetMemo(memoText);
        read.AppendFrame(frame);
    }
    title = newTitle;
    schedule.AssignSchedule(read);
}

void WeekFromJson(const Json &json, KWeekSchConfig &week)
{
    CheckKind(json, "week");
    const Json &days = Member(json, "days", "");
    if (!days.is_array() || days.size() != KWeekSchConfig::DayCount)
        Refuse("days", "must be an array of 7 paths or nulls, Sunday first");
    KWeekSchConfig read;
    for (int d = 0; d < KWeekSchConfig::DayCount; ++d)
        read.SetDayFile(d, Text(days[size_t(d)], "days[" + std::to_string(d) + "]", 32767, true));
    week.DayFiles = read.DayFiles;
}

std::string Dump(const Json &json)
{
    const std::string text = json.dump(2);
    // Outside strings JSON text is ASCII without DEL, so every character found here is inside a
    // string, where an escape stands for the same character.
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        const size_t length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        const std::u16string one = KCliUtf::FromUtf8(text.substr(i, length));
        if (one.size() == 1 && KCliUtf::IsUnsafeOnTerminal(one[0]) && one[0] >= 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(one[0]));
            out += escape;
        } else {
            out.append(text, i, length);
        }
        i += length;
    }
    return out;
}

} // namespace KCliJson
