// rockpile: the game pack's program.
#include <cstdio>
#include <cstring>

namespace {

void PrintHelp() {
    std::printf(
        "Usage: rockpile [OPTION]...\n"
        "A pack of 3D arcade rock-shooting games.\n"
        "\n"
        "  --help       show this help and exit\n"
        "  --version    show the version and exit\n");
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            PrintHelp();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("rockpile %s\n", ROCKPILE_VERSION);
            return 0;
        }
        std::fprintf(stderr, "rockpile: unknown option '%s' (try --help)\n", argv[i]);
        return 2;
    }
    PrintHelp();
    return 0;
}
