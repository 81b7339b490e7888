// The head-up panel "status.x" and its bar "hullstatus.x", in panel units:
// the game draws the panel at the top-left corner at half size, the bars
// at (3.94, -1.81) and (3.94, -5.03) up to 5 units long, and black text at
// panel x 13 and 18 on the rows of the two bars.
#include "shapes.h"
#include "symbols.h"
#include "workshop.h"

namespace content {
namespace {

using namespace contentgen;

Material Coat(Rgb colour, float glow, float shine = 0.4f) { return Coloured(colour, glow, shine, 20.0f); }

constexpr float kFace = -0.4f;  // the plate's front face

void AddIcon(Mesh& mesh, const Outline& symbol, Vec2 centre, float size, uint32_t material) {
    AddBevelledExtrusion(mesh, TransformOutline(symbol, size, centre), kFace - 0.25f, kFace + 0.05f, 0.06f, material,
                         material, material);
}

Mesh Panel() {
    Mesh mesh;
    uint32_t plate = mesh.AddMaterial(Coat(Hex(0xD0D8E4), 0.5f));
    uint32_t slot = mesh.AddMaterial(Coat(Hex(0x182028), 0.4f));
    uint32_t hull = mesh.AddMaterial(Coat(Hex(0xD83030), 0.5f));
    uint32_t shield = mesh.AddMaterial(Coat(Hex(0x1890D0), 0.5f));
    uint32_t ship = mesh.AddMaterial(Coat(Hex(0x2850C0), 0.5f));
    uint32_t star = mesh.AddMaterial(Coat(Hex(0xE89010), 0.5f));
    // The plate runs off the top and left screen edges; its lower right
    // corner is cut at 45 degrees. The frame-rate text at x 28 stays clear.
    const Outline outline = {{-1.0f, 1.0f}, {27.5f, 1.0f}, {27.5f, -5.8f}, {26.0f, -7.3f}, {-1.0f, -7.3f}};
    AddBevelledExtrusion(mesh, outline, kFace, 0.3f, 0.35f, plate, plate, plate);
    for (float y : {-1.81f, -5.03f})
        AddBox(mesh, {3.55f, y - 0.8f, kFace - 0.06f}, {9.35f, y + 0.8f, kFace + 0.05f}, slot);
    // A groove between the counters and the score.
    AddBox(mesh, {16.9f, -6.6f, kFace - 0.06f}, {17.2f, -0.5f, kFace + 0.05f}, slot);
    AddIcon(mesh, CrossSymbol(), {1.8f, -1.81f}, 1.05f, hull);
    AddIcon(mesh, ShieldSymbol(), {1.8f, -5.03f}, 1.1f, shield);
    AddIcon(mesh, ShipSymbol(), {11.4f, -1.9f}, 1.1f, ship);
    AddIcon(mesh, StarSymbol(), {11.4f, -5.0f}, 1.15f, star);
    return mesh;
}

Mesh Bar() {
    Mesh mesh;
    uint32_t body = mesh.AddMaterial(Coat(Hex(0xFF8A10), 0.8f));
    uint32_t gloss = mesh.AddMaterial(Coat(Hex(0xFFE070), 0.9f));
    AddBox(mesh, {0.0f, -0.55f, kFace - 0.35f}, {1.0f, 0.55f, kFace - 0.1f}, body);
    AddBox(mesh, {0.0f, 0.12f, kFace - 0.4f}, {1.0f, 0.4f, kFace - 0.35f}, gloss);
    return mesh;
}

}  // namespace

void BuildHud(Workshop& shop) {
    shop.AddMesh("status.x", Panel());
    shop.AddMesh("hullstatus.x", Bar());
}

}  // namespace content
