// Runs a program to completion with changes to its environment and working
// folder, collecting its exit status and output.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

struct ProgramRun {
    int status = -1;  // exit status, or 128 + signal when killed
    std::string out, err;
};

// `environment`: a value sets the variable, nullopt removes it. The program
// is killed after `timeoutSeconds`.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::map<std::string, std::optional<std::string>>& environment = {},
                      const std::string& workingFolder = {}, int timeoutSeconds = 60);
