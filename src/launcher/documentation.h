// Finding the HTML manual and handing it to the desktop's browser.
#pragma once

#include <functional>
#include <string>
#include <vector>

// folder + "/" + file; no separator when the folder already ends in one;
// just the file when the folder is empty.
std::string JoinPath(const std::string& folder, const std::string& file);

// The pages tried for `name`, in order: name.html and name.htm in the start
// folder, in the current folder, in the program's folder and in the
// program's ../share/doc/rockpile/ folder (the last two only when the
// program's folder is known).
std::vector<std::string> DocumentationCandidates(const std::string& name, const std::string& startFolder,
                                                 const std::string& programFolder);

using FileOpener = std::function<bool(const std::string& path)>;

// Opens the first candidate that exists as a file with `open`. When none
// exists, and unless quiet, says "Unable to find documentation".
bool OpenDocumentation(const std::string& name, const std::string& startFolder, bool quiet, const FileOpener& open);

// Opens a file with the desktop's default program (xdg-open); false, after
// a message, when there is no such program.
bool OpenWithDesktop(const std::string& path);
