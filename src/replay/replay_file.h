// Replay files: a magic tag, the format version, then the recording in a
// compact byte encoding (variable-length integers; a frame that repeats the
// previous frame's time step and has no device state or events takes two
// bytes).
#pragma once

#include <optional>
#include <string>

#include "replay/replay.h"

std::string EncodeReplay(const Replay& replay);
// Nullopt with `error` set for text that is not a replay, a replay of another
// format version, or a damaged one.
std::optional<Replay> DecodeReplay(const std::string& bytes, std::string& error);

// Whole-file versions; the error names the file.
bool SaveReplay(const std::string& path, const Replay& replay, std::string& error);
std::optional<Replay> LoadReplay(const std::string& path, std::string& error);
