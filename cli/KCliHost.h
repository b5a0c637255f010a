#pragma once

#include "model/KCivilDate.h"
#include "platform/core/KLocalZone.h"

#include <string>

// What the commands need to know about the machine beyond its files; tests pass their own.
class KCliHost {
public:
    virtual ~KCliHost() = default;
    // The local date.
    virtual KCivilDate Today() const = 0;
    // The current time, UTC, "YYYYMMDDTHHMMSSZ".
    virtual std::string UtcStamp() const = 0;
    // The user's settings file of the planner.
    virtual std::u16string SettingsFilePath() const = 0;
    // The path made absolute and normal (no "." or ".." parts).
    virtual std::u16string AbsolutePath(const std::u16string &path) const = 0;
    // The local time zone, for calendar times given in UTC or another zone.
    virtual const KLocalZone &LocalZone() const
    {
        static const KSystemLocalZone system;
        return system;
    }
};

// The real machine: local clock, the user's data folder, the current folder.
class KCliSystemHost : public KCliHost {
public:
    KCivilDate Today() const override;
    std::string UtcStamp() const override;
    std::u16string SettingsFilePath() const override;
    std::u16string AbsolutePath(const std::u16string &path) const override;
};
