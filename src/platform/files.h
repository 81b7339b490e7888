// File-system helpers: existence, whole-file reads, atomic replacement and
// the per-user and per-program folders.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

bool FileExists(const std::string& path);
// The bytes of a regular file; none for a folder, a read error or a file
// larger than maxBytes.
std::optional<std::vector<char>> ReadWholeFile(const std::string& path, size_t maxBytes = SIZE_MAX);

// Replaces `path` with `bytes` so that a crash at any moment leaves either the
// old or the new complete file: temporary file in the same folder, fsync,
// rename over the target, fsync of the folder. On failure the target is left
// untouched, no temporary file remains, and `error` says why.
bool AtomicWriteFile(const std::string& path, const std::string& bytes, std::string* error = nullptr);

// The same replacement for contents too large to hold in memory: `write`
// fills the temporary file's descriptor (WriteAll helps) and returns false,
// with `error` set, to abandon it. The new file gets permissions `mode`.
using FileWriter = std::function<bool(int fd, std::string* error)>;
bool AtomicWriteFileWith(const std::string& path, const FileWriter& write, std::string* error = nullptr,
                         unsigned mode = 0600);
// Writes all of `size` bytes to `fd`, retrying after interruptions.
bool WriteAll(int fd, const void* data, size_t size);

// Creates a folder and its parents (mode 0700 for new ones); true if it exists afterwards.
bool MakeDirectories(const std::string& path);

std::string DirectoryOf(const std::string& path);
std::string JoinPosix(const std::string& folder, const std::string& name);

// The folder of the running program (from /proc/self/exe); empty if unknown.
std::string ProgramDirectory();
// $XDG_CONFIG_HOME, else $HOME/.config.
std::string ConfigHome();
// $XDG_PICTURES_DIR, else $HOME/Pictures.
std::string PicturesDirectory();
