// rockpile-bench PART [FRAMES]: runs one benchmark part and prints its numbers.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sim_bench.h"

int main(int argc, char** argv) {
    const char* part = argc > 1 ? argv[1] : "sim";
    int frames = argc > 2 ? std::atoi(argv[2]) : 5000;
    if (frames <= 0) frames = 5000;
    if (std::strcmp(part, "sim") == 0) return RunSimBench(frames);
    std::fprintf(stderr, "usage: rockpile-bench sim [FRAMES]\n");
    return 2;
}
