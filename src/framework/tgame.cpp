#include "framework/tgame.h"

namespace {
constexpr const char* kPublisherAddress = "https://example.org/rockpile/";
}

TGame::TGame() { TGame::Init(); }

const char* TGame::GetWebAddress() const { return kPublisherAddress; }
const char* TGame::GetWebPage() const { return kPublisherAddress; }
