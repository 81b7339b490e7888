// The ranges of the settings (the low and high columns of settings_list.h).
#pragma once

struct TSettings;

// Brings every value into its range: stored files and replays are edited by
// hand or damaged, and the games compute with these values. A value in range
// is kept; a number outside goes to the nearest end, a float that is not a
// number to the default.
void ClampSettings(TSettings& s);
