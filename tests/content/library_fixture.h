// The default library as the build packed it, read through the game's
// library manager once per test program.
#pragma once

#include <map>
#include <string>

#include "encoders.h"

namespace contenttest {

// Library name -> bytes of every entry of the built library file.
const std::map<std::string, contentgen::Bytes>& Library();
// The bytes of an entry; fails the test when it is missing.
const contentgen::Bytes& Entry(const std::string& name);
bool StartsWith(const std::string& text, const std::string& prefix);

}  // namespace contenttest
