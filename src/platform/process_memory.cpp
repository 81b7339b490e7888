#include "platform/process_memory.h"

#include <cstdio>
#include <cstring>

namespace {

// A "Name:  N kB" line of /proc/self/status.
int64_t StatusKb(const char* name) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return 0;
    const size_t length = std::strlen(name);
    long long kb = 0;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, name, length) == 0 && line[length] == ':') {
            std::sscanf(line + length + 1, "%lld", &kb);
            break;
        }
    }
    std::fclose(status);
    return kb;
}

}  // namespace

int64_t ResidentKb() { return StatusKb("VmRSS"); }

int64_t PeakResidentKb() { return StatusKb("VmHWM"); }

bool ResetPeakResident() {
    std::FILE* refs = std::fopen("/proc/self/clear_refs", "w");
    if (!refs) return false;
    const bool written = std::fputs("5", refs) >= 0;
    return std::fclose(refs) == 0 && written;
}
