#include "launcher/find_library.h"

#include <cstdio>
#include <cstdlib>

#include "framework/tgame.h"
#include "persist/kwparam.h"
#include "platform/files.h"
#include "platform/message_box.h"

std::string FindLibrary(const std::string& name, const TGame& game) {
    if (FileExists(name)) return name;
    std::string folder = GetParamString(game.GetRegistryKeyName(), "InstallPath", "");
    if (!folder.empty()) {
        std::string path = JoinPosix(folder, name);
        if (FileExists(path)) return path;
    }
    std::string programDir = ProgramDirectory();
    if (!programDir.empty()) {
        std::string path = JoinPosix(programDir, "../share/rockpile/" + name);
        if (FileExists(path)) return path;
    }
    return {};
}

std::string FindLibraryOrExit(const std::string& name, const TGame& game) {
    std::string path = FindLibrary(name, game);
    if (path.empty()) {
        char text[1200];
        std::snprintf(text, sizeof(text), "Unable to find the file '%s'. Please report this error to the author.",
                      name.c_str());
        MessageBox(text, "Error!");
        std::exit(1);
    }
    return path;
}
