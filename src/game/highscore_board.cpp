#include "game/highscore_board.h"

#include <cstdio>
#include <string>

#include "gamelib/d3dcanvas.h"
#include "gamelib/fontman.h"
#include "persist/highscore.h"
#include "platform/invariant.h"
#include "platform/resources.h"

std::function<void()> THighScoreBoard::onNameEntered;

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

std::string RowText(const THighScore& entry) {
    size_t length = Utf8Length(entry.playerName);
    std::string dots = length < MAX_NAME_CHARACTERS ? std::string(MAX_NAME_CHARACTERS - length, '.') : "";
    char score[16];
    std::snprintf(score, sizeof(score), "%6d", entry.score);
    return entry.playerName + " " + dots + " " + score;
}

}  // namespace

THighScoreBoard::THighScoreBoard() = default;
THighScoreBoard::~THighScoreBoard() = default;

void THighScoreBoard::CreateCanvas() {
    canvasWidth = canvasHeight = 720;
    lineHeight = 30;
    titleStyle = 1;
    tableStyle = 3;
    texture_ = CreateCanvasTexture(device, canvasWidth, canvasHeight);
    if (!texture_) {
        lineHeight = 42;
        titleStyle = 5;
        tableStyle = 4;
        canvasWidth = canvasHeight = 1024;
        texture_ = CreateCanvasTexture(device, canvasWidth, canvasHeight);
    }
    RP_INVARIANT(texture_ != nullptr, "highscore");
    entry_.texture = texture_.get();
    entry_.weight = 1;
    canvasTexture = &entry_;
    mesh = CreateQuad(device, MESH_ALPHA_BLEND, 1.0, 1.0, true);
    mesh.textures[0] = canvasTexture;
    mesh.quadTexture = 0;
    canvasReady = 1;
}

void THighScoreBoard::Show() {
    if (!canvasReady) CreateCanvas();
    scale = 14.0;
    Redraw();
    zoomRemaining = 1.0;
    zoomRate = 10.0;
    zooming = 1;
    flipRemaining = 1.0;
    flipRate = 10.0;
    flipping = 1;
}

bool THighScoreBoard::AddScore(int32_t score) {
    int row = InsertHighScore(score);
    if (row < 0) return false;
    editRow = row;
    done = 0;
    Redraw();
    return true;
}

void THighScoreBoard::OnChar(uint32_t ch) {
    if (editRow >= 0 && editRow < NUM_HIGH_SCORES) {
        if (EditName(highScores[editRow].playerName, ch) == NameEdit::Finished) {
            editRow = -1;
            done = 1;
            if (onNameEntered) onNameEntered();
        }
    }
    Redraw();
}

void THighScoreBoard::Redraw() {
    if (!canvasReady) CreateCanvas();
    bool entering = editRow >= 0;
    TCanvas canvas(canvasWidth, canvasHeight);
    canvas.Clear(kBlue);
    const int L = lineHeight;
    const int title = titleStyle | FONT_CENTER_X, table = tableStyle | FONT_CENTER_X;
    int y = L;
    CanvasText(canvas, title, canvasWidth, y, kRed, "* * * GAME OVER * * *");
    y += static_cast<int>(2.5 * L);
    CanvasText(canvas, title, canvasWidth, y, kWhite, entering ? "You've set a high score !" : "High Scores");
    y += static_cast<int>(2.5 * L);
    for (int i = 0; i < NUM_HIGH_SCORES; ++i, y += L)
        CanvasText(canvas, table, canvasWidth, y, i == editRow ? kRed : kWhite, RowText(highScores[i]).c_str());
    y += static_cast<int>(2.5 * L);
    CanvasText(canvas, title, canvasWidth, y, kWhite, entering ? "Type your name above" : "Hit 'Q' to Quit");
    y += static_cast<int>(1.5 * L);
    CanvasText(canvas, title, canvasWidth, y, kWhite, entering ? "Hit <enter> when finished" : "Hit 'R' to Restart");
    FillTexture(canvasWidth, canvasHeight, ColorRefToArgb(kBlue, 128), texture_.get());
    CopyBitmapToTexture(&canvas.bitmap, kBlue, 255, canvasWidth, canvasHeight, texture_.get());
}
