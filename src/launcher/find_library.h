// Where the pack's game library is.
#pragma once

#include <string>

class TGame;

// The library file `name`: in the current folder, else in the folder stored
// as "InstallPath" under the game's key, else in the program's own
// ../share/rockpile/ folder. Empty when none exists.
std::string FindLibrary(const std::string& name, const TGame& game);
// FindLibrary, or the message "Unable to find the file '%s'. Please report
// this error to the author." and exit status 1.
std::string FindLibraryOrExit(const std::string& name, const TGame& game);
