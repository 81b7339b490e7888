// rockpile-inspect: prints what the game would load from a library entry or a
// file, and draws library entries as the games draw them.
#include <iostream>

#include "inspect_commands.h"
#include "platform/message_box.h"

int main(int argc, char** argv) {
    SetBatchMode(true);  // load problems go to standard error
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunInspectTool(args, std::cout, std::cerr);
}
