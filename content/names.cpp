#include "names.h"

#include <algorithm>
#include <cstdio>

namespace content {

const std::vector<std::string> kMeshNames = {
    "ship.x",        "ship2.x",       "missile.x",       "ufomissile.x", "asteroid1.x", "asteroid2.x",
    "asteroid3.x",   "asteroid4.x",   "asteroid5.x",     "monolith.x",   "basestar.x",  "invader1.x",
    "invader2.x",    "invader3.x",    "ufo.x",           "borgcube.x",   "dogtoy.x",    "spree2.x",
    "spike.x",       "spike2.x",      "phantomzone.x",   "spinner.x",    "mpowerup.x",  "starpowerup.x",
    "hullpowerup.x", "shippowerup.x", "shieldpowerup.x", "status.x",     "hullstatus.x"};

const std::vector<std::string> kRockTextureNames = {
    "fire1.jpg",        "fire3.jpg",         "fire6.jpg",        "firetile2.jpg", "marble23.jpg", "granite11.jpg",
    "arctic_stone.jpg", "rust_valencia.jpg", "russet_oxide.jpg", "bluemud.jpg",   "blobs.jpg"};

const std::vector<std::string> kBackgroundNames = {
    "backs\\back1.jpg",  "backs\\back2.jpg",  "backs\\back3.jpg",  "backs\\back4.jpg",  "backs\\back5.jpg",
    "backs\\back6.jpg",  "backs\\back8.jpg",  "backs\\back9.jpg",  "backs\\back10.jpg", "backs\\back11.jpg",
    "backs\\back13.jpg", "backs\\back14.jpg", "backs\\back15.jpg", "backs\\back16.jpg", "backs\\back17.jpg",
    "backs\\back19.jpg", "backs\\back22.jpg", "backs\\back23.jpg"};

const char* const kStarfieldName = "backs\\starfield.jpg";
const char* const kShardstormBackName = "backs\\shardstormback1.jpg";

const std::vector<std::string> kCartNames = {"carts\\marshalcart.jpg", "carts\\marshalcart2.jpg",
                                             "carts\\retrocart.jpg", "carts\\classiccart.jpg",
                                             "carts\\shardstormcart2.jpg"};

const std::vector<std::string> kSoundNames = {
    "thunderous hit.wav", "explosion3.wav", "powerup_x.wav", "tone1.wav",    "tone2.wav", "tone3.wav", "tone4.wav",
    "bomb7.wav",          "spinner.wav",    "phasers3.wav",  "ricochet.wav", "borg.wav",  "uforep.wav"};

const char* const kOutlineShaderName = "shaders\\outline.txt";

const std::vector<std::string> kFontFaceFiles = {
    "LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf",    "LiberationSans-Italic.ttf",
    "LiberationSans-BoldItalic.ttf", "LiberationSerif-Regular.ttf", "LiberationMono-Regular.ttf"};
const char* const kFontLicenceName = "fonts\\liberation-licence.txt";

std::string ExplosionFrameName(int frame) {
    char name[32];
    std::snprintf(name, sizeof name, "eexplo%03d.bmp", frame);
    return name;
}

std::string TextureEntry(const std::string& file) { return "textures\\" + file; }
std::string SoundEntry(const std::string& file) { return "sounds\\" + file; }
std::string FontEntry(const std::string& file) { return "fonts\\" + file; }

std::vector<std::string> RequiredNames() {
    std::vector<std::string> names = kMeshNames;
    for (const auto& t : kRockTextureNames) names.push_back(TextureEntry(t));
    for (int i = 1; i <= kExplosionFrames; ++i) names.push_back(TextureEntry(ExplosionFrameName(i)));
    names.insert(names.end(), kBackgroundNames.begin(), kBackgroundNames.end());
    names.push_back(kStarfieldName);
    names.push_back(kShardstormBackName);
    names.insert(names.end(), kCartNames.begin(), kCartNames.end());
    for (const auto& s : kSoundNames) names.push_back(SoundEntry(s));
    names.push_back(kOutlineShaderName);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> LibraryNames() {
    std::vector<std::string> names = RequiredNames();
    for (const auto& f : kFontFaceFiles) names.push_back(FontEntry(f));
    names.push_back(kFontLicenceName);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace content
