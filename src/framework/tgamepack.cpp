#include "framework/tgamepack.h"

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

void TGamePack::FillListView(GameListView& view) const {
    view.items.clear();
    for (TGame* game = head.next; game != &head; game = game->next) view.items.emplace_back(game->GetTitle(), game);
}

const char* TGamePack::GetShortName() const { return current ? current->GetShortName() : ""; }

const char* TGamePack::GetWebAddress() const {
    TGame* first = First();
    return first ? first->GetWebAddress() : "";
}

const char* TGamePack::GetWebPage() const {
    TGame* first = First();
    return first ? first->GetWebPage() : "";
}

const char* TGamePack::GetVersion() const {
    TGame* first = First();
    return first ? first->GetVersion() : "";
}
