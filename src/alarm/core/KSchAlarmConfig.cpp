#include "alarm/core/KSchAlarmConfig.h"

KSchAlarmConfig::KSchAlarmConfig(int pointCount)
{
    if (pointCount > 0)
        Points.resize(size_t(pointCount));
}

void KSchAlarmConfig::SetPointCount(int n)
{
    if (n < 0)
        n = 0;
    if (n == PointCount())
        return;
    Points.clear();
    Points.shrink_to_fit();
    Points.resize(size_t(n));
}

bool KSchAlarmConfig::IsPointOn(int i) const
{
    if (i < 0 || i >= MaxPoints)
        return false;
    return (EnabledPoints >> i) & 1;
}

void KSchAlarmConfig::SetPointOn(int i, bool on)
{
    if (i < 0 || i >= MaxPoints)
        return;
    if (on)
        EnabledPoints = uint16_t(EnabledPoints | (1u << i));
    else
        EnabledPoints = uint16_t(EnabledPoints & ~(1u << i));
}

int32_t KSchAlarmConfig::GetMinutes(int i) const
{
    return InRange(i) ? Points[size_t(i)].MinutesBefore : -1;
}

void KSchAlarmConfig::SetMinutes(int i, int32_t minutes)
{
    if (InRange(i))
        Points[size_t(i)].MinutesBefore = minutes;
}

int32_t KSchAlarmConfig::GetSource(int i) const
{
    return InRange(i) ? Points[size_t(i)].Source : 0;
}

void KSchAlarmConfig::SetSource(int i, int32_t source)
{
    if (InRange(i))
        Points[size_t(i)].Source = source;
}

std::u16string KSchAlarmConfig::GetSoundName(int i) const
{
    return InRange(i) ? Points[size_t(i)].SoundName : std::u16string();
}

void KSchAlarmConfig::SetSoundName(int i, const std::u16string &name)
{
    if (InRange(i))
        Points[size_t(i)].SoundName = name;
}

std::u16string KSchAlarmConfig::GetSoundFile(int i) const
{
    return InRange(i) ? Points[size_t(i)].SoundFile : std::u16string();
}

void KSchAlarmConfig::SetSoundFile(int i, const std::u16string &path)
{
    if (InRange(i))
        Points[size_t(i)].SoundFile = path;
}

void KSchAlarmConfig::Assign(const KSchAlarmConfig &other)
{
    if (&other == this)
        return;
    *this = other;
}
