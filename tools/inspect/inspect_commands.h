// The commands of rockpile-inspect. Each returns the process exit status: 0
// on success, 1 on failure (the reason on `err`), 2 for a usage mistake.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// Describes `bytes` as the game would load them under `name`: a mesh, a
// picture or a WAV sound, chosen by the name's extension, else by content.
int InspectBytes(const std::string& name, const std::vector<uint8_t>& bytes, std::ostream& out, std::ostream& err);

// `LIB NAME` (an entry of a game library) or `FILE` (textures it names are
// looked up beside it).
int RunInspectTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
