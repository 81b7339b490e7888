#include "framework/tgamepack.h"

#include <strings.h>

TGamePack::TGamePack() {
    head.next = &head;
    head.prev = &head;
}

TGamePack::~TGamePack() {
    TGame* game = head.next;
    while (game != &head) {
        TGame* following = game->next;
        delete game;
        game = following;
    }
}

void TGamePack::Add(TGame* game) {
    game->prev = head.prev;
    game->next = &head;
    head.prev->next = game;
    head.prev = game;
    ++count;
    if (!current) current = game;
}

TGame* TGamePack::First() const { return head.next == &head ? nullptr : head.next; }

GameRange TGamePack::Games() const {
    TGame* end = const_cast<TGame*>(&head);
    return GameRange(head.next, end);
}

TGame* TGamePack::FindGame(int gameId) const {
    for (TGame& game : Games())
        if (game.GetGameId() == gameId) return &game;
    return nullptr;
}

TGame* TGamePack::FindGameNamed(std::string_view titleOrIndex) const {
    const std::string wanted(titleOrIndex);
    int index = 0;
    for (TGame& game : Games()) {
        if (strcasecmp(game.GetTitle(), wanted.c_str()) == 0 || std::to_string(index) == wanted) return &game;
        ++index;
    }
    return nullptr;
}

void TGamePack::FillListView(GameListView& view) const {
    view.items.clear();
    for (TGame& game : Games()) view.items.emplace_back(game.GetTitle(), &game);
}

const char* TGamePack::GetShortName() const { return current ? current->GetShortName() : ""; }

const char* TGamePack::GetWebPage() const {
    TGame* first = First();
    return first ? first->GetWebPage() : "";
}

const char* TGamePack::GetVersion() const {
    TGame* first = First();
    return first ? first->GetVersion() : "";
}
