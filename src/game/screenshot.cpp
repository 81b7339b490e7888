#include "game/screenshot.h"

#include <cstdio>

#include "platform/device.h"
#include "platform/files.h"
#include "platform/png_writer.h"

std::string ScreenshotPath(const std::string& folder, std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "rockpile-%Y-%m-%d_%H-%M-%S", &local);
    std::string path = JoinPosix(folder, std::string(stamp) + ".png");
    for (int n = 2; FileExists(path); ++n)
        path = JoinPosix(folder, std::string(stamp) + "-" + std::to_string(n) + ".png");
    return path;
}

std::string SaveScreenshot(Device& device) {
    const std::string folder = JoinPosix(PicturesDirectory(), "rockpile");
    Image image;
    if (!device.ReadFrontBuffer(image)) {
        std::fprintf(stderr, "rockpile: no screenshot: the frame cannot be read back\n");
        return {};
    }
    std::string path = ScreenshotPath(folder, std::time(nullptr));
    if (!MakeDirectories(folder) || !WritePng(image, path)) {
        std::fprintf(stderr, "rockpile: cannot write the screenshot %s\n", path.c_str());
        return {};
    }
    std::fprintf(stderr, "rockpile: screenshot saved to %s\n", path.c_str());
    return path;
}
