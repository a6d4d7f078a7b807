// Synthesised sound effects. Each effect is a short list of enveloped notes
// mixed in double precision, faded at both ends so playback never clicks,
// then scaled to a common peak and rounded to 16-bit PCM.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "assetgen.h"

namespace assetgen {
namespace {

constexpr double kPeakAmplitude = 16384.0;  // half of full scale: -6 dBFS
constexpr double kFadeInMs = 2.0;
constexpr double kFadeOutMs = 6.0;
constexpr double kAttackMs = 2.0;   // every note starts from silence
constexpr double kReleaseMs = 18.0; // time constant once a held note lets go
constexpr double kNyquistMargin = 0.45;
constexpr std::uint32_t kNoiseSeed = 0x6272786Fu;
constexpr double kTwoPi = 6.283185307179586;

// Equal-tempered pitches (A4 = 440 Hz) used below.
namespace pitch {
constexpr double D3 = 146.83, G3 = 196.00;
constexpr double D4 = 293.66, Eb4 = 311.13, F4 = 349.23, G4 = 392.00;
constexpr double C5 = 523.25, E5 = 659.26, G5 = 783.99;
constexpr double C6 = 1046.50, E6 = 1318.51, G6 = 1567.98, C7 = 2093.00;
constexpr double A6 = 1760.00;
}  // namespace pitch

enum class Wave { Sine, Triangle, Bright, Noise };

struct Note {
    Wave wave;
    double startMs, hz, decayMs, gain;
    double glideFromHz = 0.0, glideMs = 0.0;  // pitch slides from glideFromHz to hz
    double holdMs = 0.0;                      // 0: rings until the end

    Note glide(double fromHz, double ms) const {
        Note n = *this;
        n.glideFromHz = fromHz;
        n.glideMs = ms;
        return n;
    }
    Note hold(double ms) const {
        Note n = *this;
        n.holdMs = ms;
        return n;
    }
};

Note tone(Wave wave, double startMs, double hz, double decayMs, double gain) {
    return Note{wave, startMs, hz, decayMs, gain};
}

struct SoundDef {
    const char* fileName;
    int lengthMs;
    std::vector<Note> notes;
};

int sampleCountFor(int ms) { return (kSampleRate * ms + 500) / 1000; }

// Band-limited triangle: odd harmonics at 1/k^2, skipping any above Nyquist.
double triangle(double phase, double hz) {
    constexpr double kScale = 0.8105694691387022;  // 8 / pi^2
    double sum = 0.0;
    for (int k = 1; k <= 7; k += 2) {
        if (k * hz > kNyquistMargin * kSampleRate) break;
        const double sign = (k / 2) % 2 == 0 ? 1.0 : -1.0;
        sum += sign * sinTurns(k * phase) / double(k * k);
    }
    return kScale * sum;
}

// Fixed-seed linear congruential generator, so noise is identical every run.
struct Lcg {
    std::uint32_t state = kNoiseSeed;
    double next() {  // uniform in [-1, 1)
        state = state * 1664525u + 1013904223u;
        return double(state >> 8) / double(1u << 23) - 1.0;
    }
};

void addNote(std::vector<double>& mix, const Note& note) {
    const long start = std::lround(note.startMs * kSampleRate / 1000.0);
    const double dt = 1.0 / kSampleRate;
    // For noise, hz is the cut-off of a one-pole low-pass that softens the hiss.
    const double lowPass = 1.0 - expDet(-kTwoPi * note.hz * dt);
    Lcg noise;
    double filtered = 0.0;
    double phase = 0.0;

    for (long i = std::max(start, 0L); i < long(mix.size()); ++i) {
        const double tMs = double(i - start) * 1000.0 * dt;
        double hz = note.hz;
        if (note.glideMs > 0.0) hz += (note.glideFromHz - note.hz) * expDet(-tMs / note.glideMs);
        phase += hz * dt;
        phase -= std::floor(phase);

        double value = 0.0;
        switch (note.wave) {
            case Wave::Sine: value = sinTurns(phase); break;
            case Wave::Triangle: value = triangle(phase, hz); break;
            case Wave::Bright: value = 0.8 * sinTurns(phase) + 0.2 * sinTurns(2.0 * phase); break;
            case Wave::Noise:
                filtered += lowPass * (noise.next() - filtered);
                value = filtered;
                break;
        }

        double envelope = std::min(1.0, tMs / kAttackMs) * expDet(-tMs / note.decayMs);
        if (note.holdMs > 0.0 && tMs > note.holdMs) envelope *= expDet(-(tMs - note.holdMs) / kReleaseMs);
        mix[std::size_t(i)] += note.gain * envelope * value;
    }
}

// Fades both ends to exactly zero, normalises to the common peak, rounds.
Samples finish(std::vector<double> mix) {
    const double n = double(mix.size());
    const double fadeIn = kFadeInMs * kSampleRate / 1000.0;
    const double fadeOut = kFadeOutMs * kSampleRate / 1000.0;
    double peak = 0.0;
    for (std::size_t i = 0; i < mix.size(); ++i) {
        const double fromEnd = n - 1.0 - double(i);
        mix[i] *= std::min({1.0, double(i) / fadeIn, fromEnd / fadeOut});
        peak = std::max(peak, std::fabs(mix[i]));
    }
    Samples out(mix.size(), 0);
    if (peak <= 0.0) return out;
    for (std::size_t i = 0; i < mix.size(); ++i)
        out[i] = std::int16_t(std::lround(mix[i] * (kPeakAmplitude / peak)));
    return out;
}

std::vector<SoundDef> soundDefs() {
    using namespace pitch;
    const Wave sine = Wave::Sine, tri = Wave::Triangle, bright = Wave::Bright, noise = Wave::Noise;
    return {
        // Rows cleared: a quick rising major triad that rings like a bell.
        {"clear.wav", 231,
         {tone(bright, 0, C6, 90, 0.7), tone(bright, 55, E6, 90, 0.7), tone(bright, 110, G6, 110, 0.8)}},
        // Rotation: a soft blip that lifts slightly in pitch.
        {"turn.wav", 88, {tone(sine, 0, 930, 28, 1.0).glide(620, 12)}},
        // Piece locks: a low thump with a brief muffled knock on top.
        {"lock.wav", 111,
         {tone(sine, 0, 70, 40, 1.0).glide(180, 18), tone(noise, 0, 900, 7, 0.5)}},
        // Level up: a bright arpeggio climbing two octaves into a held chord.
        {"levelup.wav", 1592,
         {tone(tri, 0, C5, 160, 0.6).hold(95), tone(tri, 100, E5, 160, 0.6).hold(95),
          tone(tri, 200, G5, 160, 0.6).hold(95), tone(tri, 300, C6, 160, 0.6).hold(95),
          tone(tri, 400, E6, 160, 0.5).hold(95), tone(tri, 500, G6, 160, 0.5).hold(95),
          tone(tri, 620, C6, 420, 0.45), tone(tri, 620, E6, 420, 0.35),
          tone(tri, 620, G6, 420, 0.3), tone(sine, 620, C7, 300, 0.25)}},
        // Sideways step: the shortest, lightest tick.
        {"move.wav", 68, {tone(sine, 0, A6, 9, 1.0)}},
        // Game over: a slow minor descent settling on a low D.
        {"gameover.wav", 1000,
         {tone(tri, 0, G4, 500, 0.7).hold(190), tone(tri, 210, F4, 500, 0.7).hold(190),
          tone(tri, 420, Eb4, 500, 0.7).hold(190), tone(tri, 630, D4, 260, 0.7),
          tone(sine, 630, D3, 260, 0.4), tone(sine, 0, G3, 300, 0.25).hold(400)}},
    };
}

}  // namespace

std::vector<SoundAsset> makeSounds() {
    std::vector<SoundAsset> sounds;
    for (const SoundDef& def : soundDefs()) {
        std::vector<double> mix(std::size_t(sampleCountFor(def.lengthMs)), 0.0);
        for (const Note& note : def.notes) addNote(mix, note);
        sounds.push_back({def.fileName, finish(std::move(mix))});
    }
    return sounds;
}

}  // namespace assetgen
