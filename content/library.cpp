#include "library.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "names.h"

namespace content {

Workshop GenerateLibrary(const std::string& shaderPath) {
    Workshop shop;
    if (!shaderPath.empty()) {
        std::ifstream in(shaderPath, std::ios::binary);
        if (!in) throw std::runtime_error("cannot read " + shaderPath);
        shop.AddFile(kOutlineShaderName, Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    BuildRockTextures(shop);
    BuildRocks(shop);
    BuildShips(shop);
    BuildVisitors(shop);
    BuildWhirlygigs(shop);
    BuildPowerups(shop);
    BuildHud(shop);
    BuildBackgrounds(shop);
    BuildExplosions(shop);
    BuildCarts(shop);
    BuildSounds(shop);
    CarryFonts(shop);
    // Every family must make exactly the names the library holds.
    std::vector<std::string> expected = LibraryNames();
    if (shaderPath.empty()) expected.erase(std::find(expected.begin(), expected.end(), kOutlineShaderName));
    std::vector<std::string> made;
    for (const auto& entry : shop.files) made.push_back(entry.first);
    if (made != expected) throw std::logic_error("the generated names differ from the required list");
    return shop;
}

}  // namespace content
