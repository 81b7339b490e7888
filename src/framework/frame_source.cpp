#include "framework/frame_source.h"

#include "framework/timer.h"

namespace {
std::function<float(float)> g_source;
}

float NextFrameSeconds() {
    // The timer is read every frame so that it stays current either way.
    float measured = GetElapsedSeconds();
    return g_source ? g_source(measured) : measured;
}

void SetFrameSource(std::function<float(float)> source) { g_source = std::move(source); }
