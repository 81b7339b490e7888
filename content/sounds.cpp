// The thirteen sound effects, synthesised: mono 22,050 Hz 16-bit, each as
// loud as its role (sound_levels.h), one-shots under two seconds, and three
// seamless loops.
#include <cmath>
#include <functional>
#include <stdexcept>

#include "dsp.h"
#include "names.h"
#include "rng.h"
#include "sound_levels.h"
#include "workshop.h"

namespace content {
namespace {

using namespace contentgen;

constexpr double kOneShotFade = 0.02;
constexpr double kTwoPi = 6.283185307179586;

Signal Render(double seconds, const std::function<double(double t)>& voice) {
    Signal s(SampleCount(seconds));
    for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<float>(voice(TimeOf(i)));
    return s;
}

double Decay(double t, double rate) { return std::exp(-t * rate); }

// A heavy, low impact: a falling sub thump with a burst of dark noise.
Signal ThunderousHit() {
    Rng rng(1);
    Oscillator thump;
    Biquad body = Biquad::LowPass(700), rumble = Biquad::LowPass(160);
    return Render(0.9, [&](double t) {
        double noise = rng.Range(-1, 1);
        double boom = thump.Sine(35 + 110 * Decay(t, 9)) * Decay(t, 5.5);
        double crack = body.Process(static_cast<float>(noise)) * Decay(t, 22) * 1.4;
        double tail = rumble.Process(static_cast<float>(noise)) * Decay(t, 4.5) * 2.5;
        return boom + crack + tail;
    });
}

// A rock bursting: a noise blast whose brightness falls, with crackle.
Signal Explosion() {
    Rng rng(2);
    Biquad first = Biquad::LowPass(3000), second = Biquad::LowPass(3000);
    Oscillator thump;
    return Render(1.6, [&](double t) {
        first.RetuneLowPass(150 + 3200 * Decay(t, 3.5));
        double noise = rng.Range(-1, 1);
        double roar = second.Process(first.Process(static_cast<float>(noise)));
        double crackle = (rng.Uniform() < 0.004 * Decay(t, 2.0)) ? rng.Range(-1, 1) : 0.0;
        double boom = thump.Sine(45 + 60 * Decay(t, 8)) * Decay(t, 4);
        double envelope = (1 - Decay(t, 200)) * Decay(t, 2.4);
        return (roar * 1.8 + crackle * 0.6) * envelope + boom * 0.8;
    });
}

// A bright rising arpeggio for collecting a power-up.
Signal PowerupChime() {
    const double notes[] = {523.25, 659.25, 783.99, 1046.5, 1318.5};
    Oscillator tone, shimmer;
    return Render(0.75, [&](double t) {
        int step = std::min(4, static_cast<int>(t / 0.07));
        double local = t - step * 0.07;
        double f = notes[step] * (1 + 0.004 * std::sin(kTwoPi * 7 * t));
        double square = tone.Square(f, 0.3) * 0.35 + shimmer.Sine(2 * f) * 0.4;
        return square * Decay(local, step == 4 ? 5.0 : 12.0) * (1 - Decay(local, 400));
    });
}

// A clean bell-like tone.
Signal Tone(double frequency) {
    Oscillator a, b, c;
    return Render(0.45, [&](double t) {
        double v = a.Sine(frequency) + 0.35 * b.Sine(2 * frequency) * Decay(t, 9) +
                   0.15 * c.Sine(3.01 * frequency) * Decay(t, 14);
        return v * Decay(t, 6.5) * (1 - Decay(t, 600));
    });
}

// A falling whistle and a deep blast.
Signal Bomb() {
    Rng rng(8);
    Oscillator whistle, thump;
    Biquad roar = Biquad::LowPass(900), low = Biquad::LowPass(300);
    return Render(1.8, [&](double t) {
        double out = 0;
        if (t < 0.55)
            out += whistle.Sine(1500 - 1900 * t) * 0.35 * std::min(1.0, t * 20) * std::min(1.0, (0.55 - t) * 40);
        if (t >= 0.55) {
            double u = t - 0.55;
            double noise = rng.Range(-1, 1);
            out += roar.Process(static_cast<float>(noise)) * 2.0 * Decay(u, 2.6) * (1 - Decay(u, 300));
            out += low.Process(static_cast<float>(noise)) * 3.0 * Decay(u, 1.8);
            out += thump.Sine(30 + 70 * Decay(u, 6)) * Decay(u, 3);
        }
        return out;
    });
}

// The ship's laser: a quick falling zap with a little frequency modulation.
Signal Phaser() {
    Oscillator carrier, modulator;
    return Render(0.26, [&](double t) {
        double f = 2200 * Decay(t, 9) + 350;
        return std::sin(kTwoPi * carrier.Step(f) + 2.5 * modulator.Sine(f * 0.5)) * Decay(t, 11) * (1 - Decay(t, 900));
    });
}

// A bullet glancing off: click, then a fast-falling ringing whine.
Signal Ricochet() {
    Rng rng(11);
    Oscillator whine, ring;
    Biquad click = Biquad::HighPass(2500);
    return Render(0.55, [&](double t) {
        double f = 1300 + 2600 * Decay(t, 7);
        double v = whine.Sine(f) * 0.7 + ring.Sine(f * 1.51) * 0.25;
        double snap = click.Process(static_cast<float>(rng.Range(-1, 1))) * Decay(t, 120);
        return v * Decay(t, 5.5) * (1 - Decay(t, 500)) + snap * 1.5;
    });
}

// Loops: every partial and modulation completes whole cycles over the loop,
// and noise is crossfaded across the loop point.
constexpr double kLoopOverlap = 0.12;

Signal Loop(double seconds, const std::function<double(double t)>& voice) {
    Signal s = Render(seconds + kLoopOverlap, voice);
    CloseLoop(s, SampleCount(kLoopOverlap));
    return s;
}

// A whirring blade: buzzing saw pulsed by the blade rate, plus air.
Signal SpinnerLoop() {
    Rng rng(9);
    Oscillator saw;
    Biquad buzz = Biquad::LowPass(1400), air = Biquad::BandPass(2400, 1.2);
    return Loop(1.0, [&](double t) {
        double pulse = 0.55 + 0.45 * std::sin(kTwoPi * 16 * t);
        double tone = buzz.Process(static_cast<float>(saw.Saw(120 + 6 * std::sin(kTwoPi * 2 * t))));
        double whoosh =
            air.Process(static_cast<float>(rng.Range(-1, 1))) * (0.5 + 0.5 * std::sin(kTwoPi * 16 * t + 1.0));
        return tone * pulse + whoosh * 1.6;
    });
}

// The cube's ominous machine drone: low harmonics throbbing twice a second.
Signal BorgLoop() {
    Rng rng(12);
    Oscillator h1, h2, h3, h4;
    Biquad hiss = Biquad::LowPass(500);
    return Loop(2.0, [&](double t) {
        double throb = 0.65 + 0.35 * std::sin(kTwoPi * 2 * t);
        double drone = h1.Sine(55) + 0.6 * h2.Sine(110) + 0.45 * h3.Sine(165.5) + 0.3 * h4.Sine(220.5);
        double grind = hiss.Process(static_cast<float>(rng.Range(-1, 1))) * (0.6 + 0.4 * std::sin(kTwoPi * 8 * t));
        return drone * throb * 0.5 + grind * 0.9;
    });
}

// The saucer's warble: a sine swept up and down six times a second.
Signal UfoLoop() {
    Oscillator lead, second;
    return Loop(1.0, [&](double t) {
        double wobble = std::sin(kTwoPi * 6 * t);
        return lead.Sine(760 + 260 * wobble) + 0.3 * second.Sine(2 * (760 + 260 * wobble));
    });
}

}  // namespace

void BuildSounds(Workshop& shop) {
    struct Effect {
        const char* name;
        std::function<Signal()> make;
    };
    const Effect sounds[] = {
        {"thunderous hit.wav", ThunderousHit},
        {"explosion3.wav", Explosion},
        {"powerup_x.wav", PowerupChime},
        {"tone1.wav", [] { return Tone(440.0); }},
        {"tone2.wav", [] { return Tone(554.37); }},
        {"tone3.wav", [] { return Tone(659.25); }},
        {"tone4.wav", [] { return Tone(880.0); }},
        {"bomb7.wav", Bomb},
        {"spinner.wav", SpinnerLoop},
        {"phasers3.wav", Phaser},
        {"ricochet.wav", Ricochet},
        {"borg.wav", BorgLoop},
        {"uforep.wav", UfoLoop},
    };
    for (const Effect& effect : sounds) {
        const SoundRole role = RoleOfSound(effect.name);
        Signal s = effect.make();
        if (role != SoundRole::Loop) FadeOut(s, kOneShotFade);
        NormalizeLoudness(s, LoudnessOf(role));
        if (PeakDbfs(s) > kSoundPeakLimitDbfs)
            throw std::runtime_error(std::string(effect.name) + " would peak above the limit at its role's loudness");
        shop.AddFile(SoundEntry(effect.name), EncodeWav(s));
    }
}

}  // namespace content
