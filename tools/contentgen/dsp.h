// Sound synthesis helpers for the generated sound effects: mono float
// signals at kSampleRate, filters, envelopes, level and loop tools.
#pragma once

#include <cstddef>
#include <vector>

#include "encoders.h"

namespace contentgen {

using Signal = std::vector<float>;

size_t SampleCount(double seconds);
inline double TimeOf(size_t sample) { return static_cast<double>(sample) / kSampleRate; }

// Second-order filter (RBJ cookbook forms).
class Biquad {
public:
    static Biquad LowPass(double frequency, double q = 0.707);
    static Biquad HighPass(double frequency, double q = 0.707);
    static Biquad BandPass(double frequency, double q);
    // New low-pass coefficients, keeping the filter's state (for sweeps).
    void RetuneLowPass(double frequency, double q = 0.707);
    float Process(float x);

private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Phase accumulator; frequency may change every sample.
class Oscillator {
public:
    explicit Oscillator(double phase = 0) : phase_(phase) {}
    // Advances by one sample and returns the phase in cycles [0, 1).
    double Step(double frequency);
    double Sine(double frequency);
    // Naive saw and square with a little smoothing from the caller's filters.
    double Saw(double frequency);
    double Square(double frequency, double duty = 0.5);

private:
    double phase_;
};

// Peak level of a signal in dBFS (0 dBFS = full scale), -inf for silence.
double PeakDbfs(const Signal& signal);
// Loudness as the mix hears it, in dBFS: the RMS level of the 50 ms blocks
// within 20 dB of the loudest one, so that a sound's fading tail and its
// silences do not count (a signal shorter than a block is one block); -inf
// for silence. The `channels` of an interleaved signal add their power.
double ActiveRmsDbfs(const Signal& signal, int channels = 1);
// Scales the signal so that its ActiveRmsDbfs is `dbfs`.
void NormalizeLoudness(Signal& signal, double dbfs);
// Linear fade over the last `seconds`.
void FadeOut(Signal& signal, double seconds);
// Turns a signal of loop length + `overlap` samples into a seamless loop of
// the loop length: the overlap is crossfaded into the start.
void CloseLoop(Signal& signal, size_t overlap);

}  // namespace contentgen
