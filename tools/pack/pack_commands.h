// The commands of rockpile-pack. Each returns the process exit status: 0 on
// success, 1 on failure (the reason on `err`), 2 for a usage mistake.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

int PackCreate(const std::string& outPath, const std::string& dir, std::ostream& err);
int PackList(const std::string& libPath, std::ostream& out, std::ostream& err);
// Writes the entry's bytes to `outPath`, or to `out` when `outPath` is empty.
int PackExtract(const std::string& libPath, const std::string& name, const std::string& outPath, std::ostream& out,
                std::ostream& err);
int PackCheck(const std::string& libPath, std::ostream& out, std::ostream& err);

// Runs the command named by `args` (the program name left out).
int RunPackTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
