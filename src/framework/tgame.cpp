#include "framework/tgame.h"

namespace {
constexpr GameDescription kUndescribedGame{};
}

TGame::TGame() : TGame(kUndescribedGame) {}

TGame::TGame(const GameDescription& description) : description_(description) {}
