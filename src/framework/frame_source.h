// Where the game loop takes each frame's elapsed time from: the frame timer
// by default; a fixed step (headless runs, benchmarks) or a recorded sequence
// (replays) when a driver installs one.
#pragma once

#include <functional>

// The elapsed seconds for the next frame.
float NextFrameSeconds();
// Installs a source, called once per frame with the measured time (empty
// function: back to the frame timer).
void SetFrameSource(std::function<float(float measured)> source);
