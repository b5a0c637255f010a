#pragma once

#include "platform/core/KSound.h"

#include <memory>
#include <string>
#include <vector>

// A file player that records what it was asked to play; the test ends or fails the
// playback by hand.
class KFakeSoundFilePlayer : public KSoundFilePlayer {
public:
    bool Play(const std::u16string &path) override
    {
        Plays.push_back(path);
        playing_ = !RefuseOpen;
        return !RefuseOpen;
    }
    void Close() override
    {
        ++Closes;
        playing_ = false;
    }
    bool IsPlaying() const override { return playing_; }

    // The file played to its end.
    void Finish()
    {
        playing_ = false;
        Notify(Event::Ended);
    }
    // Decoding failed after the play had started.
    void FailLater()
    {
        playing_ = false;
        Notify(Event::Failed);
    }

    bool RefuseOpen = false;
    std::vector<std::u16string> Plays;
    int Closes = 0;

private:
    bool playing_ = false;
};

// Built-in sounds that are only recorded. Knows the five built-in names.
class KFakeSound : public KSound {
public:
    bool PlayResource(const std::u16string &name) override
    {
        Requests.push_back(name);
        if (!IsKnown(name))
            return false;
        Played.push_back(name);
        playing_ = true;
        return true;
    }
    void StopResources() override
    {
        ++Stops;
        playing_ = false;
    }
    bool ResourcePlaying() const override { return playing_; }
    std::unique_ptr<KSoundFilePlayer> CreateFilePlayer() override
    {
        auto player = std::make_unique<KFakeSoundFilePlayer>();
        Players.push_back(player.get());
        return player;
    }

    static bool IsKnown(const std::u16string &name)
    {
        auto lower = [](std::u16string s) {
            for (char16_t &c : s)
                if (c >= u'A' && c <= u'Z')
                    c = char16_t(c - u'A' + u'a');
            return s;
        };
        for (const char16_t *known :
             {u"chime_1", u"chime_2", u"schoolchime", u"simulatedchurchbell", u"alarmbell"})
            if (lower(name) == known)
                return true;
        return false;
    }

    // Every name asked for, and those that were known and played.
    std::vector<std::u16string> Requests;
    std::vector<std::u16string> Played;
    int Stops = 0;
    // Players made, still owned by whoever asked for them.
    std::vector<KFakeSoundFilePlayer *> Players;

private:
    bool playing_ = false;
};
