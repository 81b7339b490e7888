#include "gamelib/d3dfont.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "gamelib/bitmap.h"
#include "gamelib/font_face.h"

namespace {

constexpr int kFirstAtlasSize = 128;
constexpr int kLargestAtlasSize = 1 << 14;

bool Printable(char c) { return c >= FIRST_GLYPH && c <= LAST_GLYPH; }

GlyphMetrics Measure(FontFace& face) {
    GlyphMetrics m;
    for (int i = 0; i < GLYPH_COUNT; ++i) m.widths[i] = face.Advance(static_cast<uint32_t>(FIRST_GLYPH + i));
    m.height = face.LineHeight();
    m.spacing = static_cast<int>(std::ceil(0.3 * m.height));
    return m;
}

}  // namespace

bool LayoutGlyphs(const GlyphMetrics& metrics, int texWidth, int texHeight,
                  std::array<GlyphPlace, GLYPH_COUNT>* places) {
    int s = metrics.spacing, h = metrics.height;
    int x = s, y = 0;
    for (int i = 0; i < GLYPH_COUNT; ++i) {
        int w = metrics.widths[i];
        if (x + w + s > texWidth) {
            x = s;
            y += h + 1;
            if (x + w + s > texWidth) return false;  // wider than the atlas
        }
        if (y + h > texHeight) return false;
        if (places) (*places)[i] = {x, y};
        x += w + 2 * s;
    }
    return true;
}

int AtlasSizeFor(const GlyphMetrics& metrics) {
    for (int size = kFirstAtlasSize; size <= kLargestAtlasSize; size *= 2)
        if (LayoutGlyphs(metrics, size, size, nullptr)) return size;
    return 0;
}

CD3DFont::CD3DFont(const char* name, int height, uint32_t flags) : fontHeight(height), fontFlags(flags) {
    std::snprintf(fontName, sizeof fontName, "%s", name ? name : "");
}

CD3DFont::~CD3DFont() {
    ReleaseDrawResources();
    ReleaseAtlas();
}

int CD3DFont::PixelHeight() const {
    int dpi = static_cast<int>((logPixelsY ? logPixelsY : 96) * textScale);
    return static_cast<int>(std::lround(double(fontHeight) * dpi / 72.0));
}

HRESULT CD3DFont::CreateAtlas(Device* dev) {
    device = dev;
    textScale = 1.0f;
    FontFace* face = FontFace::Get(fontName, fontFlags & FONT_BOLD, fontFlags & FONT_ITALIC);
    if (!face || !device) return E_FAIL;
    face->SetPixelHeight(PixelHeight());
    GlyphMetrics metrics = Measure(*face);
    int size = AtlasSizeFor(metrics);
    if (size == 0) return E_FAIL;
    texWidth = texHeight = size;

    int maxWidth = static_cast<int>(device->MaxTextureWidth());
    if (texWidth > maxWidth) {
        textScale = float(maxWidth) / float(texWidth);
        texWidth = texHeight = maxWidth;
        for (bool first = true;; first = false) {
            if (!first) textScale *= 0.9f;
            face->SetPixelHeight(PixelHeight());
            metrics = Measure(*face);
            if (LayoutGlyphs(metrics, texWidth, texHeight, nullptr)) break;
            if (PixelHeight() <= 1) return E_FAIL;
        }
    }

    std::array<GlyphPlace, GLYPH_COUNT> places;
    LayoutGlyphs(metrics, texWidth, texHeight, &places);
    spacing = metrics.spacing;
    Bitmap bitmap(texWidth, texHeight);
    for (int i = 0; i < GLYPH_COUNT; ++i) {
        const GlyphPlace& p = places[i];
        face->DrawText(bitmap, p.x, p.y, std::string(1, char(FIRST_GLYPH + i)), 0xFFFFFF);
        texCoords[i][0] = float(p.x - spacing) / float(texWidth);
        texCoords[i][1] = float(p.y) / float(texHeight);
        texCoords[i][2] = float(p.x + metrics.widths[i] + spacing) / float(texWidth);
        texCoords[i][3] = float(p.y + metrics.height) / float(texHeight);
    }

    // White texels whose alpha is the coverage, in four bits.
    texture = std::make_unique<Texture>(texWidth, texHeight, 1, D3DFMT_A4R4G4B4);
    D3DLOCKED_RECT locked;
    if (HRESULT hr = texture->LockRect(0, &locked); FAILED(hr)) return hr;
    for (int y = 0; y < texHeight; ++y) {
        auto* row = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch);
        const uint32_t* pixels = bitmap.Pixels32(y);
        for (int x = 0; x < texWidth; ++x) {
            uint16_t a = static_cast<uint16_t>((pixels[x] & 0xFF) >> 4);
            row[x] = a ? static_cast<uint16_t>(a << 12 | 0x0FFF) : 0;
        }
    }
    return texture->UnlockRect(0);
}

HRESULT CD3DFont::CreateDrawResources() {
    if (!device || !texture) return E_FAIL;
    DeviceState s = device->CaptureState();
    auto& rs = s.renderStates;
    s.texture = texture.get();
    s.vertexShader = nullptr;
    s.vertexDeclaration = nullptr;
    rs[D3DRS_ZENABLE] = (fontFlags & FONT_DEPTH_TEST) ? 1 : 0;
    bool blend = device->SupportsAlphaBlending();
    rs[D3DRS_ALPHABLENDENABLE] = blend ? 1 : 0;
    rs[D3DRS_SRCBLEND] = D3DBLEND_SRCALPHA;
    rs[D3DRS_DESTBLEND] = D3DBLEND_INVSRCALPHA;
    rs[D3DRS_ALPHATESTENABLE] = 1;
    rs[D3DRS_ALPHAREF] = 8;
    rs[D3DRS_ALPHAFUNC] = D3DCMP_GREATEREQUAL;
    rs[D3DRS_FILLMODE] = D3DFILL_SOLID;
    rs[D3DRS_CULLMODE] = D3DCULL_CCW;
    rs[D3DRS_STENCILENABLE] = 0;
    rs[D3DRS_CLIPPING] = 1;
    rs[D3DRS_CLIPPLANEENABLE] = 0;
    rs[D3DRS_VERTEXBLEND] = 0;
    rs[D3DRS_INDEXEDVERTEXBLENDENABLE] = 0;
    rs[D3DRS_FOGENABLE] = 0;
    rs[D3DRS_COLORWRITEENABLE] = 0xF;
    s.samplerStates[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
    s.samplerStates[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
    s.samplerStates[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
    drawTextState = s;
    savedState = s;
    drawReady_ = true;
    return D3D_OK;
}

void CD3DFont::ReleaseDrawResources() {
    drawReady_ = false;
    pending_.clear();
}

void CD3DFont::ReleaseAtlas() {
    texture.reset();
    texWidth = texHeight = 0;
}

float CD3DFont::LineHeight() const { return (texCoords[0][3] - texCoords[0][1]) * float(texHeight); }

TextSize CD3DFont::MeasureText(const char* text) const {
    float lineHeight = LineHeight();
    float height = lineHeight, width = 0, widest = 0;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '\n') {
            width = 0;
            height += lineHeight;
            continue;
        }
        if (!Printable(*p)) continue;
        const float* t = texCoords[*p - FIRST_GLYPH];
        width += (t[2] - t[0]) * float(texWidth) - 2.0f * float(spacing);
        if (width > widest) widest = width;
    }
    return {static_cast<int>(widest), static_cast<int>(height)};
}

float CD3DFont::FirstLineWidth(const char* text) const {
    float width = 0;
    for (const char* p = text; *p && *p != '\n'; ++p) {
        if (!Printable(*p)) continue;
        const float* t = texCoords[*p - FIRST_GLYPH];
        width += (t[2] - t[0]) * float(texWidth) / textScale - 2.0f * float(spacing);
    }
    return width;
}

void CD3DFont::DrawPending() {
    if (pending_.empty() || !device) return;
    savedState = device->CaptureState();
    device->ApplyState(drawTextState);
    if (pendingFlags_ & TEXT_FILTERED) {
        device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
        device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    }
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, static_cast<uint32_t>(pending_.size() / 3), pending_.data(),
                            sizeof(ScreenVertex), FVF_SCREEN);
    device->ApplyState(savedState);
    pending_.clear();
}

void CD3DFont::EndBatch() {
    batching_ = false;
    DrawPending();
}

HRESULT CD3DFont::RenderText(float x, float y, D3DCOLOR colour, const char* text, uint32_t flags) {
    if (!device || !drawReady_) return E_FAIL;
    if (!text) text = "";
    if ((flags & TEXT_FILTERED) != (pendingFlags_ & TEXT_FILTERED)) DrawPending();
    pendingFlags_ = flags;
    if (flags & TEXT_CENTER_X) x = (float(device->BackBufferWidth()) - FirstLineWidth(text)) / 2;
    if (flags & TEXT_CENTER_Y) y = (float(device->BackBufferHeight()) - LineHeight()) / 2;

    x -= float(spacing);
    float startX = x;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') {
            x = startX;
            y += LineHeight();
            continue;
        }
        if (!Printable(*p)) continue;
        const float* t = texCoords[*p - FIRST_GLYPH];
        float u1 = t[0], v1 = t[1], u2 = t[2], v2 = t[3];
        float w = (u2 - u1) * float(texWidth) / textScale;
        float h = (v2 - v1) * float(texHeight) / textScale;
        if (*p != ' ') {
            float l = x - 0.5f, r = x + w - 0.5f, top = y - 0.5f, bottom = y + h - 0.5f;
            pending_.insert(pending_.end(), {{l, bottom, 0.9f, 1.0f, colour, u1, v2},
                                             {l, top, 0.9f, 1.0f, colour, u1, v1},
                                             {r, bottom, 0.9f, 1.0f, colour, u2, v2},
                                             {r, top, 0.9f, 1.0f, colour, u2, v1},
                                             {r, bottom, 0.9f, 1.0f, colour, u2, v2},
                                             {l, top, 0.9f, 1.0f, colour, u1, v1}});
        }
        x += w - 2.0f * float(spacing);
    }
    if (!batching_) DrawPending();
    return D3D_OK;
}
