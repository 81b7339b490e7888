// The pack: an ordered, circular list of game descriptors with a current one.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/tgame.h"

// A list the pack fills: one item per game, captioned with its title.
struct GameListView {
    std::vector<std::pair<std::string, TGame*>> items;
};

// The pack's games in order, for range-for.
class GameRange {
public:
    class iterator {
    public:
        explicit iterator(TGame* at) : at_(at) {}
        TGame& operator*() const { return *at_; }
        iterator& operator++() {
            at_ = at_->next;
            return *this;
        }
        bool operator==(const iterator&) const = default;

    private:
        TGame* at_;
    };

    GameRange(TGame* first, TGame* head) : first_(first), head_(head) {}
    iterator begin() const { return iterator(first_); }
    iterator end() const { return iterator(head_); }

private:
    TGame* first_;
    TGame* head_;
};

class TGamePack {
public:
    TGamePack();
    virtual ~TGamePack();
    TGamePack(const TGamePack&) = delete;
    TGamePack& operator=(const TGamePack&) = delete;

    TGame head;  // list head only: head.next is the first game, head.prev the last
    TGame* current = nullptr;
    int count = 0;

    void Add(TGame* game);  // takes ownership
    TGame* First() const;
    GameRange Games() const;
    // The game with this id; null if none.
    TGame* FindGame(int gameId) const;
    // The game with this title (case ignored) or at this decimal list index;
    // null if none.
    TGame* FindGameNamed(std::string_view titleOrIndex) const;
    void FillListView(GameListView& view) const;

    virtual const char* GetLibraryFile() const { return "defaultpack.lib"; }
    virtual const char* GetUsageFile() const { return "defaultpackusage.txt"; }
    virtual const char* GetShortName() const;
    virtual const char* GetWebPage() const;
    virtual const char* GetVersion() const;
    virtual const char* GetRegistryKeyName() const { return "kwgamepack"; }
};
