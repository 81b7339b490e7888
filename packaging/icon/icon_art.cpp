#include "icon_art.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

Paint Flat(Rgba c) { return {c, c, {0, 0}, {0, 0}}; }

std::vector<Point> RockOutline(Point centre, double radius, double phase) {
    std::vector<Point> points;
    for (int i = 0; i < 40; ++i) {
        const double t = 2 * M_PI * i / 40;
        const double r = radius * (1 + 0.12 * std::sin(3 * t + phase) + 0.07 * std::sin(5 * t + 2 * phase) +
                                   0.04 * std::sin(9 * t));
        points.push_back({centre.x + r * std::cos(t), centre.y + r * std::sin(t)});
    }
    return points;
}

Shape Rock(Point centre, double radius, double phase) {
    return {Shape::Polygon, RockOutline(centre, radius, phase), 0,
            {{190, 172, 146, 255}, {70, 58, 50, 255}, {centre.x - radius, centre.y - radius},
             {centre.x + radius, centre.y + radius}}};
}

std::vector<Shape> MakeShapes() {
    std::vector<Shape> s;
    s.push_back({Shape::Disc, {{128, 128}}, 122, {{38, 58, 112, 255}, {6, 9, 26, 255}, {128, 20}, {128, 250}}});
    for (Point star : {Point{58, 52}, Point{206, 58}, Point{40, 130}, Point{224, 128}, Point{176, 222}, Point{98, 28}})
        s.push_back({Shape::Disc, {star}, 2.6, Flat({235, 240, 255, 255})});
    s.push_back(Rock({150, 108}, 60, 0.5));
    s.push_back({Shape::Disc, {{132, 92}}, 11, Flat({88, 74, 62, 255})});
    s.push_back({Shape::Disc, {{170, 132}}, 8, Flat({92, 78, 66, 255})});
    s.push_back(Rock({208, 188}, 15, 2.0));
    s.push_back(Rock({70, 84}, 11, 4.0));
    s.push_back({Shape::Stroke, {{112, 152}, {128, 136}}, 3.5, Flat({255, 214, 74, 255})});
    s.push_back({Shape::Polygon, {{102, 162}, {44, 182}, {70, 194}, {82, 220}}, 0,
                 {{240, 248, 255, 255}, {96, 196, 232, 255}, {102, 162}, {60, 206}}});
    return s;
}

bool InsidePolygon(const std::vector<Point>& poly, Point p) {
    bool inside = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Point a = poly[i], b = poly[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}

double SegmentDistance(Point a, Point b, Point p) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool Covers(const Shape& shape, Point p) {
    switch (shape.kind) {
        case Shape::Disc: return std::hypot(p.x - shape.points[0].x, p.y - shape.points[0].y) <= shape.radius;
        case Shape::Polygon: return InsidePolygon(shape.points, p);
        case Shape::Stroke: return SegmentDistance(shape.points[0], shape.points[1], p) <= shape.radius;
    }
    return false;
}

std::string Hex(Rgba c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

}  // namespace

Rgba Paint::At(Point p) const {
    const double dx = end.x - start.x, dy = end.y - start.y;
    const double length = dx * dx + dy * dy;
    const double t = length > 0 ? std::clamp(((p.x - start.x) * dx + (p.y - start.y) * dy) / length, 0.0, 1.0) : 0;
    auto mix = [t](uint8_t a, uint8_t b) { return uint8_t(std::lround(a + (b - a) * t)); };
    return {mix(from.r, to.r), mix(from.g, to.g), mix(from.b, to.b), mix(from.a, to.a)};
}

const std::vector<Shape>& IconShapes() {
    static const std::vector<Shape> shapes = MakeShapes();
    return shapes;
}

std::vector<uint8_t> RenderIcon(int size) {
    constexpr int kSamples = 4;
    std::vector<uint8_t> rgba(size_t(size) * size * 4, 0);
    const double scale = kIconUnits / size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double sum[4] = {0, 0, 0, 0};
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Point p{(x + (sx + 0.5) / kSamples) * scale, (y + (sy + 0.5) / kSamples) * scale};
                    for (auto shape = IconShapes().rbegin(); shape != IconShapes().rend(); ++shape) {
                        if (!Covers(*shape, p)) continue;
                        const Rgba c = shape->paint.At(p);
                        // Premultiplied, so edges blend with transparency.
                        sum[0] += c.r * c.a / 255.0, sum[1] += c.g * c.a / 255.0, sum[2] += c.b * c.a / 255.0;
                        sum[3] += c.a;
                        break;
                    }
                }
            uint8_t* out = &rgba[(size_t(y) * size + x) * 4];
            const double alpha = sum[3] / (kSamples * kSamples);
            for (int i = 0; i < 3; ++i)
                out[i] = alpha > 0 ? uint8_t(std::lround(sum[i] / (kSamples * kSamples) * 255.0 / alpha)) : 0;
            out[3] = uint8_t(std::lround(alpha));
        }
    return rgba;
}

std::string IconSvg() {
    std::string defs, body;
    int gradients = 0;
    for (const Shape& s : IconShapes()) {
        std::string fill = Hex(s.paint.from);
        if (s.paint.start.x != s.paint.end.x || s.paint.start.y != s.paint.end.y) {
            const std::string id = "g" + std::to_string(gradients++);
            defs += "    <linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" x1=\"" +
                    Number(s.paint.start.x) + "\" y1=\"" + Number(s.paint.start.y) + "\" x2=\"" +
                    Number(s.paint.end.x) + "\" y2=\"" + Number(s.paint.end.y) + "\">\n      <stop offset=\"0\" stop-color=\"" +
                    Hex(s.paint.from) + "\"/>\n      <stop offset=\"1\" stop-color=\"" + Hex(s.paint.to) +
                    "\"/>\n    </linearGradient>\n";
            fill = "url(#" + id + ")";
        }
        switch (s.kind) {
            case Shape::Disc:
                body += "  <circle cx=\"" + Number(s.points[0].x) + "\" cy=\"" + Number(s.points[0].y) + "\" r=\"" +
                        Number(s.radius) + "\" fill=\"" + fill + "\"/>\n";
                break;
            case Shape::Polygon: {
                std::string points;
                for (Point p : s.points) points += (points.empty() ? "" : " ") + Number(p.x) + "," + Number(p.y);
                body += "  <polygon points=\"" + points + "\" fill=\"" + fill + "\"/>\n";
                break;
            }
            case Shape::Stroke:
                body += "  <line x1=\"" + Number(s.points[0].x) + "\" y1=\"" + Number(s.points[0].y) + "\" x2=\"" +
                        Number(s.points[1].x) + "\" y2=\"" + Number(s.points[1].y) + "\" stroke=\"" + fill +
                        "\" stroke-width=\"" + Number(2 * s.radius) + "\" stroke-linecap=\"round\"/>\n";
                break;
        }
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" "
           "height=\"256\" viewBox=\"0 0 256 256\">\n  <defs>\n" +
           defs + "  </defs>\n" + body + "</svg>\n";
}
