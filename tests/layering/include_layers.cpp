#include "include_layers.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

std::vector<std::string> SplitLayers(const std::string& layers) {
    std::vector<std::string> out;
    std::stringstream in(layers);
    for (std::string layer; std::getline(in, layer, ',');)
        if (!layer.empty()) out.push_back(layer);
    return out;
}

std::vector<UpwardInclude> FindUpwardIncludes(const fs::path& root, const std::vector<std::string>& layers) {
    const std::regex include(R"(^\s*#\s*include\s*"([^"/]+)/[^"]*")");
    std::vector<UpwardInclude> found;
    for (size_t rank = 0; rank < layers.size(); ++rank) {
        const fs::path folder = root / layers[rank];
        if (!fs::is_directory(folder)) continue;
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file()) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            std::ifstream text(file);
            int number = 0;
            for (std::string line; std::getline(text, line);) {
                ++number;
                std::smatch m;
                if (!std::regex_search(line, m, include)) continue;
                const auto target = std::find(layers.begin(), layers.end(), m[1].str());
                if (target != layers.end() && size_t(target - layers.begin()) > rank)
                    found.push_back({fs::relative(file, root).string(), number, m[0].str()});
            }
        }
    }
    return found;
}

std::vector<std::string> FoldersOutsideLayers(const fs::path& root, const std::vector<std::string>& layers) {
    std::vector<std::string> outside;
    for (const auto& entry : fs::directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory() && std::find(layers.begin(), layers.end(), name) == layers.end())
            outside.push_back(name);
    }
    std::sort(outside.begin(), outside.end());
    return outside;
}
