#pragma once

#include "alarm/core/KSchAlarmPoint.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What the user configured for alarms: which points are on, which alarm types, and the
// points themselves. The spare texts are only carried along (copies, settings file).
class KSchAlarmConfig {
public:
    static constexpr int MaxPoints = 16; // points that can be switched on

    explicit KSchAlarmConfig(int pointCount = 0);

    int PointCount() const { return int(Points.size()); }
    // When n differs from the count, every point is dropped and n default points are made.
    void SetPointCount(int n);

    bool IsPointOn(int i) const;
    void SetPointOn(int i, bool on);

    int32_t GetMinutes(int i) const;
    void SetMinutes(int i, int32_t minutes);
    int32_t GetSource(int i) const;
    void SetSource(int i, int32_t source);
    std::u16string GetSoundName(int i) const;
    void SetSoundName(int i, const std::u16string &name);
    std::u16string GetSoundFile(int i) const;
    void SetSoundFile(int i, const std::u16string &path);

    void Assign(const KSchAlarmConfig &other);

    bool operator==(const KSchAlarmConfig &) const = default;

    // Alarm type bits.
    static constexpr uint32_t SoundAlarm = 1;
    static constexpr uint32_t EmailAlarm = 2;
    static constexpr uint32_t PopupAlarm = 4;

    uint16_t EnabledPoints = 0;
    uint32_t AlarmTypes = 0;
    std::u16string SpareText1, SpareText2, SpareText3;
    std::array<std::u16string, 3> SpareTexts;
    std::vector<KSchAlarmPoint> Points;

private:
    bool InRange(int i) const { return i >= 0 && i < PointCount(); }
};
