// The program's own memory use, as the kernel counts it.
#pragma once

#include <cstdint>

// Resident set size now, in kB; 0 where the kernel does not say.
int64_t ResidentKb();
// The highest resident set size so far, in kB; 0 where the kernel does not say.
int64_t PeakResidentKb();
