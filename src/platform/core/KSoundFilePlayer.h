#pragma once

#include <functional>
#include <string>

// Plays one sound file (wav, mp3) at a time, like a media player with a device that is
// opened for a file and closed again.
class KSoundFilePlayer {
public:
    enum class Event {
        Ended,  // the file played to its end
        Failed, // the file turned out not to be playable after Play had accepted it
    };

    virtual ~KSoundFilePlayer() = default;

    // Opens the file and starts playing it once, without waiting. False when it cannot be
    // opened or started; a failure found later while decoding is reported as Failed.
    virtual bool Play(const std::u16string &path) = 0;
    // Stops and closes the file; no event is reported for it afterwards.
    virtual void Close() = 0;
    virtual bool IsPlaying() const = 0;

    // Receives Ended and Failed; called on the thread that called Play.
    void SetEventHandler(std::function<void(Event)> handler) { handler_ = std::move(handler); }

protected:
    void Notify(Event event)
    {
        if (handler_)
            handler_(event);
    }

private:
    std::function<void(Event)> handler_;
};
