// The program's own memory use, as the kernel counts it.
#pragma once

#include <cstdint>

// Resident set size now, in kB; 0 where the kernel does not say.
int64_t ResidentKb();
// The highest resident set size so far (or since the last reset), in kB; 0
// where the kernel does not say.
int64_t PeakResidentKb();
// Starts the peak over from the resident size now, so that one stage of a
// run can be measured apart from the stages before it; false where the
// kernel does not allow it.
bool ResetPeakResident();
