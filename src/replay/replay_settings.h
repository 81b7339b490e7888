// The settings that change play and the high score table, as a replay keeps
// them.
#pragma once

#include "replay/replay.h"

// Copies the play settings and the high score table into the replay.
void CaptureReplaySettings(Replay& replay);
// Sets the play settings and the high score table from the replay; settings
// it does not name keep their values. False (with the name in `unknown`)
// for a setting this program does not have.
bool ApplyReplaySettings(const Replay& replay, std::string& unknown);
// Sets the input device alone from the replay, when it records one (a run
// may have forced another after ApplyReplaySettings).
void ApplyRecordedInputDevice(const Replay& replay);
