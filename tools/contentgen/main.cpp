// rockpile-contentgen: writes the default game library's files into a
// folder (library names become relative paths) for rockpile-pack to pack.
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "library.h"
#include "preview.h"

namespace {

void Usage() {
    std::fprintf(stderr,
                 "usage: rockpile-contentgen --out DIR [--shader FILE] [--preview SHEET.png]\n"
                 "  writes every generated resource under DIR; --preview also draws a contact\n"
                 "  sheet of the models, textures and pictures\n");
}

void WriteFile(const std::filesystem::path& path, const content::Bytes& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
    std::string outDir, shader, preview;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 < argc && arg == "--out") {
            outDir = argv[++i];
        } else if (i + 1 < argc && arg == "--shader") {
            shader = argv[++i];
        } else if (i + 1 < argc && arg == "--preview") {
            preview = argv[++i];
        } else {
            Usage();
            return 2;
        }
    }
    if (outDir.empty()) {
        Usage();
        return 2;
    }
    try {
        content::Workshop shop = content::GenerateLibrary(shader);
        for (const auto& [name, bytes] : shop.files) {
            std::string relative = name;
            for (char& c : relative)
                if (c == '\\') c = '/';
            WriteFile(std::filesystem::path(outDir) / relative, bytes);
        }
        if (!preview.empty()) WriteFile(preview, content::PreviewSheet(shop));
        std::printf("rockpile-contentgen: %zu files in %s\n", shop.files.size(), outDir.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "rockpile-contentgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
