// The high score board shown at the end of a game: the table painted as text
// into a texture on a large two-sided quad that zooms and flips in, with the
// player's name typed into a new row.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "game/t3dobject.h"
#include "gamelib/texman.h"

class Texture;

class THighScoreBoard : public T3DObject {
public:
    THighScoreBoard();
    ~THighScoreBoard() override;

    // Prepares the board and starts its zoom-in and flip-in.
    void Show();
    // Paints the table into the board's texture.
    void Redraw();
    // Inserts a qualifying score and starts name entry.
    bool AddScore(int32_t score);
    // One typed character (a Unicode code point) during name entry.
    void OnChar(uint32_t ch);

    TTextureEntry* canvasTexture = nullptr;
    int32_t canvasReady = 0;
    int32_t canvasWidth = 0, canvasHeight = 0;
    int32_t editRow = -1;
    int32_t done = 0;
    int32_t titleStyle = 0, tableStyle = 0;
    int32_t lineHeight = 0;

    // Called when a name has been entered (the program saves the table).
    static std::function<void()> onNameEntered;

private:
    void CreateCanvas();
    TTextureEntry entry_{};
    std::unique_ptr<Texture> texture_;
};
