// The simulation benchmark: a full field stepped on the null device.
#pragma once

// Steps `frames` frames and prints the median and 99th percentile frame time.
int RunSimBench(int frames);
