// The pack: an ordered, circular list of game descriptors with a current one.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/tgame.h"

// A list the pack fills: one item per game, captioned with its title.
struct GameListView {
    std::vector<std::pair<std::string, TGame*>> items;
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
    void FillListView(GameListView& view) const;

    virtual const char* GetLibraryFile() const { return "defaultpack.lib"; }
    virtual const char* GetUsageFile() const { return "defaultpackusage.txt"; }
    virtual int GetReservedFlag() const { return 0; }
    virtual const char* GetShortName() const;
    virtual const char* GetWebAddress() const;
    virtual const char* GetWebPage() const;
    virtual const char* GetVersion() const;
    virtual const char* GetRegistryKeyName() const { return "kwgamepack"; }
};
