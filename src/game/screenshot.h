// Screenshots taken in a game: a presented frame, kept readable for it, as a
// PNG file in the user's pictures folder, under rockpile/, named by date and
// time.
#pragma once

#include <ctime>
#include <string>

class Device;

// "rockpile-YYYY-MM-DD_HH-MM-SS.png" in `folder` for the local time `when`;
// "-2", "-3", ... before the extension while the name is taken.
std::string ScreenshotPath(const std::string& folder, std::time_t when);

// Writes the device's last frame to ScreenshotPath(PicturesDirectory() +
// "/rockpile", now) and says where on standard error (or why not). The path,
// or empty on failure.
std::string SaveScreenshot(Device& device);
