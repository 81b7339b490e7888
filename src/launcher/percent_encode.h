// Percent-encoding for URLs.
#pragma once

#include <string>

// `text` with every byte but letters, digits, "-._~" and those in `keep`
// written as %XX.
std::string PercentEncode(const std::string& text, const std::string& keep = "");
