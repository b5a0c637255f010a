// Synthesises the planner's five built-in alarm sounds as 16-bit PCM WAV files at
// 44.1 kHz: struck bells made of inharmonic partials that each die away exponentially.
// Usage: chimegen <output folder>
// The output is the same on every run (no randomness, no clock).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 44100;
constexpr double Pi = 3.14159265358979323846;

struct Partial {
    double Ratio;     // frequency as a multiple of the strike's fundamental
    double Amplitude; // relative level
    double Decay;     // seconds to fall to 1/e
};

// A small tubular chime: bright, fairly short.
const std::vector<Partial> TubePartials = {
    {1.00, 1.00, 1.60}, {2.76, 0.45, 0.70}, {5.40, 0.22, 0.35}, {8.93, 0.10, 0.18}, {2.00, 0.12, 1.10},
};
// A church bell: hum, prime, minor-third tierce, quint, nominal and upper partials.
const std::vector<Partial> ChurchPartials = {
    {0.50, 0.55, 6.0}, {1.00, 0.80, 4.2}, {1.20, 0.50, 3.1}, {1.50, 0.30, 2.4},
    {2.00, 0.65, 2.0}, {2.50, 0.20, 1.3}, {3.00, 0.18, 0.9}, {4.20, 0.10, 0.5},
};
// The gong of an electric bell: hard and metallic.
const std::vector<Partial> GongPartials = {
    {1.00, 1.00, 0.45}, {1.59, 0.60, 0.30}, {2.14, 0.45, 0.22}, {2.65, 0.30, 0.15}, {3.91, 0.20, 0.10},
};

class Track {
public:
    Track(double seconds, int channels)
        : channels_(channels), samples_(size_t(seconds * Rate) * size_t(channels))
    {}

    // Adds one strike at time t (seconds) with fundamental f (Hz); pan -1 left .. 1 right.
    void Strike(double t, double f, double level, const std::vector<Partial> &partials, double pan = 0.0,
                double detune = 0.0)
    {
        const size_t frames = samples_.size() / size_t(channels_);
        const size_t first = size_t(t * Rate);
        for (int ch = 0; ch < channels_; ++ch) {
            double gain = level;
            double shift = 0.0;
            if (channels_ == 2) {
                gain *= ch == 0 ? std::sqrt((1.0 - pan) / 2.0) : std::sqrt((1.0 + pan) / 2.0);
                shift = ch == 0 ? -detune : detune; // a slight beat between the ears
            }
            // The far ear hears the strike a little later.
            const size_t delay =
                channels_ == 2 && ((ch == 0) == (pan > 0)) ? size_t(std::fabs(pan) * 0.0006 * Rate) : 0;
            for (size_t n = first + delay; n < frames; ++n) {
                const double x = double(n - first - delay) / Rate;
                // A 2 ms attack keeps the strike from clicking.
                const double attack = x < 0.002 ? x / 0.002 : 1.0;
                double v = 0.0;
                bool audible = false;
                for (size_t k = 0; k < partials.size(); ++k) {
                    const Partial &p = partials[k];
                    const double env = std::exp(-x / p.Decay);
                    if (env < 1e-4)
                        continue;
                    audible = true;
                    const double freq = f * p.Ratio * (1.0 + shift * double(k + 1) * 0.25);
                    v += p.Amplitude * env * std::sin(2.0 * Pi * freq * x + double(k) * 0.7);
                }
                if (!audible)
                    break;
                samples_[n * size_t(channels_) + size_t(ch)] += gain * attack * v;
            }
        }
    }

    // Scales to the given peak and fades out the last fadeSeconds.
    void Finish(double peak, double fadeSeconds)
    {
        double max = 0.0;
        for (double s : samples_)
            max = std::max(max, std::fabs(s));
        const double scale = max > 0 ? peak / max : 0.0;
        const size_t frames = samples_.size() / size_t(channels_);
        const size_t fade = size_t(fadeSeconds * Rate);
        for (size_t n = 0; n < frames; ++n) {
            double g = scale;
            if (n + fade > frames)
                g *= double(frames - n) / double(fade);
            for (int ch = 0; ch < channels_; ++ch)
                samples_[n * size_t(channels_) + size_t(ch)] *= g;
        }
    }

    bool Write(const std::string &path) const
    {
        std::FILE *f = std::fopen(path.c_str(), "wb");
        if (!f)
            return false;
        const uint32_t dataBytes = uint32_t(samples_.size() * 2);
        auto u32 = [&](uint32_t v) {
            const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
            std::fwrite(b, 1, 4, f);
        };
        auto u16 = [&](uint16_t v) {
            const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
            std::fwrite(b, 1, 2, f);
        };
        std::fwrite("RIFF", 1, 4, f);
        u32(36 + dataBytes);
        std::fwrite("WAVEfmt ", 1, 8, f);
        u32(16);
        u16(1); // PCM
        u16(uint16_t(channels_));
        u32(Rate);
        u32(uint32_t(Rate * channels_ * 2));
        u16(uint16_t(channels_ * 2));
        u16(16);
        std::fwrite("data", 1, 4, f);
        u32(dataBytes);
        for (double s : samples_) {
            const long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
            u16(uint16_t(int16_t(v)));
        }
        return std::fclose(f) == 0;
    }

private:
    int channels_;
    std::vector<double> samples_;
};

double Note(int semitonesFromA4)
{
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: chimegen <output folder>\n");
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = true;

    { // Chime_1: a two-note door chime, 3.5 s.
        Track t(3.5, 1);
        t.Strike(0.00, Note(7), 1.0, TubePartials); // E5
        t.Strike(0.60, Note(3), 1.0, TubePartials); // C5
        t.Finish(0.70, 0.3);
        ok = t.Write(dir + "/Chime_1.wav") && ok;
    }
    { // Chime_2: an arpeggio rising over an octave, 5.6 s.
        Track t(5.6, 1);
        const int notes[] = {3, 7, 10, 15}; // C5 E5 G5 C6
        for (int i = 0; i < 4; ++i)
            t.Strike(0.45 * i, Note(notes[i]), 0.9, TubePartials);
        t.Strike(2.2, Note(3), 0.7, TubePartials);
        t.Finish(0.70, 0.5);
        ok = t.Write(dir + "/Chime_2.wav") && ok;
    }
    { // SchoolChime: the four-phrase school bell tune, 16.2 s.
        Track t(16.2, 1);
        const int tune[] = {7, 3, 5, -2, -2, 5, 7, 3, 7, 5, 3, -2, -2, 5, 7, 3}; // E C D G, G D E C, ...
        for (int i = 0; i < 16; ++i)
            t.Strike(0.8 * i + (i / 4) * 0.35, Note(tune[i]), i % 4 == 3 ? 1.0 : 0.85, TubePartials);
        t.Finish(0.70, 1.0);
        ok = t.Write(dir + "/SchoolChime.wav") && ok;
    }
    { // SimulatedChurchBell: a large bell tolled slowly, in stereo, 25.9 s.
        Track t(25.9, 2);
        for (int i = 0; i < 9; ++i) {
            const double pan = i % 2 == 0 ? -0.35 : 0.35;
            t.Strike(2.5 * i, Note(-9), 1.0, ChurchPartials, pan, 0.0015); // C4
            // A smaller bell answers each stroke from the other side.
            t.Strike(2.5 * i + 1.25, Note(-2), 0.45, ChurchPartials, -pan, 0.002); // G4
        }
        t.Finish(0.70, 2.0);
        ok = t.Write(dir + "/SimulatedChurchBell.wav") && ok;
    }
    { // AlarmBell: an electric bell ringing for eight seconds, 9.2 s.
        Track t(9.2, 1);
        for (int i = 0; i < 8 * 18; ++i)
            t.Strike(i / 18.0, Note(17), 0.35, GongPartials); // the hammer, 18 strokes a second
        t.Finish(0.70, 0.8);
        ok = t.Write(dir + "/AlarmBell.wav") && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "chimegen: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
