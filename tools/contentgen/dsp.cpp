#include "dsp.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace contentgen {
namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kLoudnessBlockSeconds = 0.05;
constexpr double kLoudnessGateDb = 20.0;

}  // namespace

size_t SampleCount(double seconds) { return static_cast<size_t>(std::lround(seconds * kSampleRate)); }

Biquad Biquad::LowPass(double frequency, double q) {
    double w = kTwoPi * frequency / kSampleRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    double a0 = 1 + alpha;
    Biquad f;
    f.b0_ = (1 - c) / 2 / a0;
    f.b1_ = (1 - c) / a0;
    f.b2_ = (1 - c) / 2 / a0;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::HighPass(double frequency, double q) {
    double w = kTwoPi * frequency / kSampleRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    double a0 = 1 + alpha;
    Biquad f;
    f.b0_ = (1 + c) / 2 / a0;
    f.b1_ = -(1 + c) / a0;
    f.b2_ = (1 + c) / 2 / a0;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::BandPass(double frequency, double q) {
    double w = kTwoPi * frequency / kSampleRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    double a0 = 1 + alpha;
    Biquad f;
    f.b0_ = alpha / a0;
    f.b1_ = 0;
    f.b2_ = -alpha / a0;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

void Biquad::RetuneLowPass(double frequency, double q) {
    Biquad tuned = LowPass(frequency, q);
    b0_ = tuned.b0_;
    b1_ = tuned.b1_;
    b2_ = tuned.b2_;
    a1_ = tuned.a1_;
    a2_ = tuned.a2_;
}

float Biquad::Process(float x) {
    double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return static_cast<float>(y);
}

double Oscillator::Step(double frequency) {
    double current = phase_;
    phase_ += frequency / kSampleRate;
    phase_ -= std::floor(phase_);
    return current;
}

double Oscillator::Sine(double frequency) { return std::sin(kTwoPi * Step(frequency)); }

double Oscillator::Saw(double frequency) { return 2.0 * Step(frequency) - 1.0; }

double Oscillator::Square(double frequency, double duty) { return Step(frequency) < duty ? 1.0 : -1.0; }

double PeakDbfs(const Signal& signal) {
    float peak = 0;
    for (float s : signal) peak = std::max(peak, std::fabs(s));
    return peak > 0 ? 20.0 * std::log10(peak) : -std::numeric_limits<double>::infinity();
}

double ActiveRmsDbfs(const Signal& signal, int channels) {
    const size_t blockFrames = SampleCount(kLoudnessBlockSeconds);
    const size_t width = size_t(std::max(channels, 1));
    const size_t frames = signal.size() / width;
    const size_t blockSize = std::min(blockFrames, frames) * width;
    std::vector<double> powers;
    for (size_t start = 0; blockSize > 0 && start + blockSize <= frames * width; start += blockSize) {
        double sum = 0;
        for (size_t i = start; i < start + blockSize; ++i) sum += double(signal[i]) * signal[i];
        powers.push_back(sum / double(blockSize / width));
    }
    const double loudest = powers.empty() ? 0.0 : *std::max_element(powers.begin(), powers.end());
    if (loudest <= 0) return -std::numeric_limits<double>::infinity();
    const double gate = loudest * std::pow(10.0, -kLoudnessGateDb / 10.0);
    double sum = 0;
    int counted = 0;
    for (double p : powers)
        if (p >= gate) {
            sum += p;
            ++counted;
        }
    return 10.0 * std::log10(sum / counted);
}

void NormalizeLoudness(Signal& signal, double dbfs) {
    const double now = ActiveRmsDbfs(signal);
    if (!std::isfinite(now)) return;
    auto gain = static_cast<float>(std::pow(10.0, (dbfs - now) / 20.0));
    for (float& s : signal) s *= gain;
}

void FadeOut(Signal& signal, double seconds) {
    size_t n = std::min(signal.size(), SampleCount(seconds));
    for (size_t i = 0; i < n; ++i) signal[signal.size() - 1 - i] *= static_cast<float>(i) / n;
}

void CloseLoop(Signal& signal, size_t overlap) {
    size_t length = signal.size() - overlap;
    for (size_t i = 0; i < overlap; ++i) {
        float t = static_cast<float>(i) / overlap;
        signal[i] = signal[i] * t + signal[length + i] * (1.0f - t);
    }
    signal.resize(length);
}

}  // namespace contentgen
