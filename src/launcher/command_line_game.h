// Readies a game chosen on the command line for play or replay.
#pragma once

class TGame;
class TGamePack;
struct CommandLine;

// Makes game the pack's current game, opens the game library (the one named
// by --library, else the one FindLibraryOrExit finds) and loads the game's
// stored settings.
void PrepareCommandLineGame(TGamePack& pack, TGame& game, const CommandLine& cl);

// Lays the command line's display choices (--windowed, --size) over the
// settings.
void ApplyDisplayOptions(const CommandLine& cl);
