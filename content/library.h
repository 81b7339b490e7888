// Builds every file of the default game library in memory.
#pragma once

#include <string>

#include "workshop.h"

namespace content {

// Runs every family. The outline shader is read from `shaderPath` and stored
// under its library name; an empty path leaves it out. Throws when the
// files made differ from RequiredNames().
Workshop GenerateLibrary(const std::string& shaderPath);

}  // namespace content
