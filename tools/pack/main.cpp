// rockpile-pack: builds, lists, extracts from and checks game library files.
#include <iostream>

#include "pack_commands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunPackTool(args, std::cout, std::cerr);
}
