// rockpile-icon OUTDIR: writes the hicolor icon theme's files of the
// program's icon under OUTDIR: <n>x<n>/apps/rockpile.png for each size and
// scalable/apps/rockpile.svg.
#include <stb/stb_image_write.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "icon_art.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: rockpile-icon OUTDIR\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path out = argv[1];
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const fs::path folder = out / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        fs::create_directories(folder);
        const std::vector<uint8_t> pixels = RenderIcon(size);
        if (!stbi_write_png((folder / "rockpile.png").c_str(), size, size, 4, pixels.data(), size * 4)) {
            std::fprintf(stderr, "rockpile-icon: cannot write %s\n", (folder / "rockpile.png").c_str());
            return 1;
        }
    }
    fs::create_directories(out / "scalable" / "apps");
    std::ofstream svg(out / "scalable" / "apps" / "rockpile.svg");
    svg << IconSvg();
    return svg.good() ? 0 : 1;
}
