#pragma once

#include <cstdint>
#include <functional>
#include <string>

class KFileSystem;
class KSound;
class KSoundFilePlayer;

// Listening to a point's sound before choosing it: at most one review plays at a time.
// A built-in sound is treated as playing for its review time (a timer the owner runs);
// a file plays until its end.
class KSoundReview {
public:
    static constexpr int NoPoint = 4;

    // What a point would play.
    struct Choice {
        bool UseFile = false;
        std::u16string Path; // the sound file
        std::u16string Name; // the built-in sound
    };

    KSoundReview(KSound *sound, KSoundFilePlayer *player, KFileSystem *files);
    ~KSoundReview();
    KSoundReview(const KSoundReview &) = delete;
    KSoundReview &operator=(const KSoundReview &) = delete;

    // The review button of a point: starts its review, or stops it when it is the one playing.
    void Toggle(int point, const Choice &choice);
    // Stops any review.
    void Stop();
    // The review timer ran out.
    void TimerElapsed();
    // The dialog closes: stop, and close the file.
    void Close();

    bool FileReviewing = false;
    bool Reviewing = false;
    bool ResourceReviewing = false;
    int ReviewPoint = NoPoint;

    // Set by the owner.
    std::function<void(int code)> ShowError; // catalogue message code
    std::function<void(int ms)> StartTimer;
    std::function<void()> StopTimer;
    std::function<void()> StateChanged; // the buttons should show the state again

private:
    void Start(int point, const Choice &choice);
    void OnPlayerEvent(bool failed);

    KSound *sound_;
    KSoundFilePlayer *player_;
    KFileSystem *files_;
};
