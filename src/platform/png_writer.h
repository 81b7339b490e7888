// Writes pictures read back from a device as PNG files.
#pragma once

#include <string>

#include "platform/device.h"

// False when the picture is empty or the file cannot be written.
bool WritePng(const Image& image, const std::string& path);
