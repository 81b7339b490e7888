// The font faces the games and the launcher draw with, carried in the
// library with their licence, copied from where Debian installs them.
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "names.h"
#include "workshop.h"

namespace content {

namespace {

Bytes ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    Bytes bytes;
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), {});
    if (bytes.empty())
        throw std::runtime_error("cannot read " + path + " (from the Debian package fonts-liberation2)");
    return bytes;
}

}  // namespace

void CarryFonts(Workshop& shop) {
    for (const std::string& file : kFontFaceFiles)
        shop.AddFile(FontEntry(file), ReadWhole(std::string(ROCKPILE_FONT_DIR) + "/" + file));
    shop.AddFile(kFontLicenceName, ReadWhole(ROCKPILE_FONT_LICENCE));
}

}  // namespace content
