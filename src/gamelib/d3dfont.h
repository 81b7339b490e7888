// Screen fonts: the printable ASCII characters of a face rendered into a
// glyph atlas, strings drawn as screen-space quads, a string in one draw, or
// several strings in one draw between BeginBatch and EndBatch.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/d3dtypes.h"
#include "platform/device.h"
#include "platform/resources.h"

constexpr uint32_t FONT_BOLD = 0x1;
constexpr uint32_t FONT_ITALIC = 0x2;
constexpr uint32_t FONT_DEPTH_TEST = 0x4;

constexpr uint32_t TEXT_CENTER_X = 0x1;
constexpr uint32_t TEXT_CENTER_Y = 0x2;
constexpr uint32_t TEXT_FILTERED = 0x8;

constexpr int FIRST_GLYPH = 32, LAST_GLYPH = 126;
constexpr int GLYPH_COUNT = LAST_GLYPH - FIRST_GLYPH + 1;  // 95

// Cell sizes of characters 32..126 in pixels, and the space left and right
// of every glyph.
struct GlyphMetrics {
    std::array<int, GLYPH_COUNT> widths{};
    int height = 0;
    int spacing = 0;
};

struct GlyphPlace {
    int x = 0, y = 0;  // top-left of the glyph itself, spacing excluded
};

// Places the glyphs row by row in a texWidth x texHeight atlas; false when
// they do not fit. `places` may be null to measure only.
bool LayoutGlyphs(const GlyphMetrics& metrics, int texWidth, int texHeight,
                  std::array<GlyphPlace, GLYPH_COUNT>* places);
// The square atlas side: 128, doubled until the glyphs fit (0 if never).
int AtlasSizeFor(const GlyphMetrics& metrics);

struct TextSize {
    int cx = 0, cy = 0;
};

class CD3DFont {
public:
    CD3DFont(const char* fontName, int fontHeight, uint32_t fontFlags = 0);
    ~CD3DFont();
    CD3DFont(const CD3DFont&) = delete;
    CD3DFont& operator=(const CD3DFont&) = delete;

    HRESULT CreateAtlas(Device* device);
    HRESULT CreateDrawResources();
    void ReleaseDrawResources();
    void ReleaseAtlas();

    // Width of the widest line and height of all lines, in atlas pixels.
    TextSize MeasureText(const char* text) const;
    HRESULT RenderText(float x, float y, D3DCOLOR colour, const char* text, uint32_t flags);
    // Text rendered from BeginBatch to EndBatch waits and is drawn at
    // EndBatch, in one draw while the TEXT_FILTERED flag stays the same.
    void BeginBatch() { batching_ = true; }
    void EndBatch();

    char fontName[80] = {};
    int fontHeight;
    uint32_t fontFlags;
    Device* device = nullptr;
    std::unique_ptr<Texture> texture;  // A4R4G4B4 glyph atlas
    int texWidth = 0, texHeight = 0;
    float textScale = 1.0f;
    float texCoords[GLYPH_COUNT + 1][4] = {};  // u1, v1, u2, v2 of characters 32..127
    int spacing = 0;
    int logPixelsY = 0;  // 0: the screen's 96
    DeviceState savedState, drawTextState;

private:
    int PixelHeight() const;
    float LineHeight() const;
    float FirstLineWidth(const char* text) const;
    // Draws the waiting glyphs with the text state.
    void DrawPending();

    std::vector<ScreenVertex> pending_;  // six corners a glyph
    uint32_t pendingFlags_ = 0;
    bool batching_ = false;
    bool drawReady_ = false;
};
