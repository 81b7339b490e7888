#include "launcher/documentation.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "launcher/percent_encode.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

bool ProgramOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string candidate = JoinPath(folders.substr(start, end - start), program);
        if (end > start && ::access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

// A file:// URL for an absolute path, with everything outside the
// unreserved characters and "/" percent-encoded.
std::string FileUrl(const std::string& absolute) { return "file://" + PercentEncode(absolute, "/"); }

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& file) {
    if (folder.empty()) return file;
    return folder.back() == '/' ? folder + file : folder + "/" + file;
}

std::vector<std::string> DocumentationCandidates(const std::string& name, const std::string& startFolder,
                                                 const std::string& programFolder) {
    const std::string html = name + ".html", htm = name + ".htm";
    std::vector<std::string> candidates = {JoinPath(startFolder, html), JoinPath(startFolder, htm), html, htm};
    if (!programFolder.empty()) {
        const std::string docFolder = JoinPath(programFolder, "../share/doc/rockpile");
        for (const std::string& folder : {programFolder, docFolder}) {
            candidates.push_back(JoinPath(folder, html));
            candidates.push_back(JoinPath(folder, htm));
        }
    }
    return candidates;
}

bool OpenDocumentation(const std::string& name, const std::string& startFolder, bool quiet, const FileOpener& open) {
    for (const std::string& page : DocumentationCandidates(name, startFolder, ProgramDirectory()))
        if (FileExists(page)) return open(page);
    if (!quiet) MessageBox("Unable to find documentation", "error");
    return false;
}

bool OpenWithDesktop(const std::string& path) {
    if (!ProgramOnPath("xdg-open")) {
        MessageBox("Unable to open '" + path + "': the desktop's opener (xdg-open) is not installed.", "error");
        return false;
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (!error && SDL_OpenURL(FileUrl(absolute.lexically_normal().string()).c_str()) == 0) return true;
    MessageBox("Unable to open '" + path + "': " + (error ? error.message() : std::string(SDL_GetError())), "error");
    return false;
}
