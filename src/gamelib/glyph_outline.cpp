#include "gamelib/glyph_outline.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>

#include "gamelib/font_face.h"

namespace {

struct Flattener {
    TextOutline* out;
    double scale;      // font units to em
    double offsetX;    // pen position in em
    double tolerance;  // maximum deviation in em
    Point2 current{};

    Point2 ToEm(const FT_Vector* v) const { return {offsetX + v->x * scale, v->y * scale}; }
    void Emit(Point2 p) { out->contours.back().push_back(p); }

    static double DistanceToChord(Point2 p, Point2 a, Point2 b) {
        double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
        if (len == 0) return std::hypot(p.x - a.x, p.y - a.y);
        return std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / len;
    }
    static Point2 Mid(Point2 a, Point2 b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

    // The curve departs from its chord by at most half the control point's
    // distance (quadratic) or three quarters of the larger one (cubic).
    void Quadratic(Point2 a, Point2 c, Point2 b, int depth) {
        if (depth == 0 || DistanceToChord(c, a, b) / 2 <= tolerance) {
            Emit(b);
            return;
        }
        Point2 ac = Mid(a, c), cb = Mid(c, b), m = Mid(ac, cb);
        Quadratic(a, ac, m, depth - 1);
        Quadratic(m, cb, b, depth - 1);
    }
    void Cubic(Point2 a, Point2 c1, Point2 c2, Point2 b, int depth) {
        if (depth == 0 || std::max(DistanceToChord(c1, a, b), DistanceToChord(c2, a, b)) * 0.75 <= tolerance) {
            Emit(b);
            return;
        }
        Point2 ab = Mid(a, c1), bc = Mid(c1, c2), cd = Mid(c2, b);
        Point2 abc = Mid(ab, bc), bcd = Mid(bc, cd), m = Mid(abc, bcd);
        Cubic(a, ab, abc, m, depth - 1);
        Cubic(m, bcd, cd, b, depth - 1);
    }

    static Flattener& Of(void* user) { return *static_cast<Flattener*>(user); }
    static int MoveTo(const FT_Vector* to, void* user) {
        Flattener& f = Of(user);
        f.out->contours.emplace_back();
        f.current = f.ToEm(to);
        f.Emit(f.current);
        return 0;
    }
    static int LineTo(const FT_Vector* to, void* user) {
        Flattener& f = Of(user);
        f.current = f.ToEm(to);
        f.Emit(f.current);
        return 0;
    }
    static int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
        Flattener& f = Of(user);
        Point2 end = f.ToEm(to);
        f.Quadratic(f.current, f.ToEm(control), end, 16);
        f.current = end;
        return 0;
    }
    static int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
        Flattener& f = Of(user);
        Point2 end = f.ToEm(to);
        f.Cubic(f.current, f.ToEm(c1), f.ToEm(c2), end, 16);
        f.current = end;
        return 0;
    }
};

void DropClosingPoints(TextOutline& outline) {
    for (auto& contour : outline.contours)
        while (contour.size() > 1 && contour.back().x == contour.front().x && contour.back().y == contour.front().y)
            contour.pop_back();
    std::erase_if(outline.contours, [](const std::vector<Point2>& c) { return c.size() < 3; });
}

}  // namespace

TextOutline OutlineText(FontFace& font, const std::string& text, double deviation) {
    TextOutline outline;
    FT_Face face = font.Face();
    double scale = 1.0 / face->units_per_EM;
    double pen = 0;
    bool orientationKnown = false;
    static const FT_Outline_Funcs funcs = {&Flattener::MoveTo, &Flattener::LineTo, &Flattener::ConicTo,
                                           &Flattener::CubicTo, 0, 0};
    for (uint32_t c : DecodeUtf8(text)) {
        if (FT_Load_Char(face, c, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) continue;
        FT_GlyphSlot glyph = face->glyph;
        if (glyph->format == FT_GLYPH_FORMAT_OUTLINE && glyph->outline.n_contours > 0) {
            if (!orientationKnown) {
                outline.filledOnRight = FT_Outline_Get_Orientation(&glyph->outline) == FT_ORIENTATION_TRUETYPE;
                orientationKnown = true;
            }
            Flattener flattener{&outline, scale, pen, deviation};
            FT_Outline_Decompose(&glyph->outline, &funcs, &flattener);
        }
        pen += glyph->advance.x * scale;
    }
    DropClosingPoints(outline);
    return outline;
}
