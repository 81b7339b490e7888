// Finds includes that reach from a folder of the source tree into a folder
// of a higher layer.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct UpwardInclude {
    std::string file;  // relative to the source root
    int line = 0;
    std::string header;
};

// `layers` bottom first, comma-separated.
std::vector<std::string> SplitLayers(const std::string& layers);

// Every `#include "layer/..."` in the files under each layer's folder that
// names a layer after the file's own. Files outside the layers' folders (the
// program's entry point) may include anything.
std::vector<UpwardInclude> FindUpwardIncludes(const std::filesystem::path& root,
                                              const std::vector<std::string>& layers);

// Folders of the source root that are no layer.
std::vector<std::string> FoldersOutsideLayers(const std::filesystem::path& root,
                                              const std::vector<std::string>& layers);
