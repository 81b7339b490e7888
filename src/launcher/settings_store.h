// The stored settings: defaults for the current game, and loading and saving
// them under the pack's key (display and input) and the game's key (the
// rest, with the high score table).
#pragma once

class TGame;
class TGamePack;
struct TSettings;

// Clears the settings and the high score table, then sets the current
// game's defaults (difficulty 2 through the game's SetDifficulty).
void ResetSettings(TGame& game);
// The ten key bindings back to their defaults.
void ResetKeys();
// Reads every stored value, each with the value held now as its default.
void LoadSettings(const TGamePack& pack, TGame& game);
// Writes every value back, the high score table included. Scores that
// another copy of the program stored since this one loaded or saved the
// table join it first. False when the store could not be written (the reason
// is in ParamStoreError()).
bool SaveSettings(const TGamePack& pack, TGame& game);
// Saves `chosen` in place of the settings in use, which a game changes for
// its own run (input device, command-line choices), with the high score
// table as it stands.
bool SaveChosenSettings(const TGamePack& pack, TGame& game, const TSettings& chosen);
// Tells the player, in one message box, of the damaged files met and the
// failed saves since the last call; a save failure already told, with the
// same reason, is not told again.
void ReportStoreProblems();
