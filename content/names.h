// Every resource name the games request from the default library, grouped by
// family. Library names use backslashes; textures are stored under
// "textures\" because the texture manager prefixes that folder.
#pragma once

#include <string>
#include <vector>

namespace content {

extern const std::vector<std::string> kRockTextureNames;  // bare file names
extern const std::vector<std::string> kMeshNames;         // top-level .x files
extern const std::vector<std::string> kBackgroundNames;   // the 18 wave pictures, "backs\..."
extern const char* const kStarfieldName;
extern const char* const kShardstormBackName;
extern const std::vector<std::string> kCartNames;
extern const std::vector<std::string> kSoundNames;  // bare file names
extern const char* const kOutlineShaderName;

// Library names of the explosion frames, "eexplo001.bmp" onwards.
std::string ExplosionFrameName(int frame);
constexpr int kExplosionFrames = 16;

std::string TextureEntry(const std::string& file);
std::string SoundEntry(const std::string& file);

// All names above plus every mesh, in one sorted list.
std::vector<std::string> RequiredNames();

// Font faces the library carries for the games and the launcher (file names
// of Debian's fonts-liberation2) and the licence text that goes with them.
extern const std::vector<std::string> kFontFaceFiles;
extern const char* const kFontLicenceName;
std::string FontEntry(const std::string& file);

// Every name of the built library: the required ones and the carried fonts.
std::vector<std::string> LibraryNames();

}  // namespace content
