#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>

#include "entry_kind.h"
#include "game_look.h"
#include "gamelib/d3dfont.h"
#include "gamelib/edgerender.h"
#include "gl_canvas.h"
#include "gl_commands.h"
#include "library_session.h"
#include "platform/image_decode.h"
#include "platform/png_writer.h"
#include "sheet_layout.h"

namespace {

constexpr D3DCOLOR kLabelColour = 0xFFC8CCD4;
constexpr D3DCOLOR kFailureColour = 0xFFFF5040;
const char kOutlineShader[] = "shaders\\outline.txt";

struct Label {
    PixelRect place;
    std::string text;
    D3DCOLOR colour;
};

struct Contents {
    std::vector<std::string> meshes, pictures;
};

// The meshes and pictures of the current library, each list by name.
Contents ListContents(const TGameLib& lib) {
    Contents contents;
    for (int i = 0; i < lib.NumEntries(); ++i) {
        const std::string name = lib.Entry(i)->name;
        TLibEntry* entry = LibGetFile(name.c_str());
        if (!entry) continue;
        const EntryKind kind = KindOfEntry(name, entry->data, entry->length);
        LibReleaseFile(entry);
        if (kind == EntryKind::Mesh) contents.meshes.push_back(name);
        if (kind == EntryKind::Picture) contents.pictures.push_back(name);
    }
    std::sort(contents.meshes.begin(), contents.meshes.end());
    std::sort(contents.pictures.begin(), contents.pictures.end());
    return contents;
}

bool HasEntry(const char* name) {
    TLibEntry* entry = LibGetFile(name);
    if (entry) LibReleaseFile(entry);
    return entry != nullptr;
}

// Draws every mesh into its cell; false when one cannot be loaded.
bool DrawMeshes(Device& device, GameLook& look, TEdgeRender* outline, const std::vector<std::string>& names,
                const std::vector<SheetCell>& cells, std::vector<Label>& labels) {
    bool all = true;
    for (size_t i = 0; i < names.size(); ++i) {
        std::optional<TMesh> mesh = LoadMesh(&device, names[i].c_str(), GameMeshFlags(names[i]), 0, 1.0);
        if (!mesh) {
            labels.push_back({cells[i].label, names[i] + " failed", kFailureColour});
            all = false;
            continue;
        }
        look.DrawMesh(*mesh, cells[i].panels[0]);
        if (outline) {
            if (std::shared_ptr<SilhouetteEdges> edges = outline->BuildEdges(*mesh->mesh))
                look.DrawOutline(*outline, *edges, *mesh, cells[i].panels[1]);
        }
        labels.push_back(
            {cells[i].label, names[i] + "  " + std::to_string(mesh->mesh->GetNumFaces()), kLabelColour});
    }
    return all;
}

// Draws every picture as a thumbnail; false when one cannot be decoded.
bool DrawPictures(GameLook& look, const std::vector<std::string>& names, const std::vector<SheetCell>& cells,
                  std::vector<Label>& labels) {
    bool all = true;
    for (size_t i = 0; i < names.size(); ++i) {
        TLibEntry* entry = LibGetFile(names[i].c_str());
        std::unique_ptr<Texture> picture =
            entry ? D3DXCreateTextureFromFileInMemory(entry->data, entry->length) : nullptr;
        if (entry) LibReleaseFile(entry);
        if (!picture) {
            labels.push_back({cells[i].label, names[i] + " failed", kFailureColour});
            all = false;
            continue;
        }
        look.DrawPicture(*picture, cells[i].panels[0]);
        labels.push_back({cells[i].label, names[i], kLabelColour});
    }
    return all;
}

// The text shortened with "..." until it fits `width` pixels.
std::string Fit(const CD3DFont& font, std::string text, int width) {
    if (font.MeasureText(text.c_str()).cx <= width) return text;
    while (!text.empty() && font.MeasureText((text + "...").c_str()).cx > width) text.pop_back();
    return text + "...";
}

void DrawLabels(Device& device, const std::vector<Label>& labels) {
    CD3DFont font("Arial", 9);
    font.logPixelsY = 96;
    if (FAILED(font.CreateAtlas(&device)) || FAILED(font.CreateDrawResources())) return;
    for (const Label& label : labels) {
        const std::string text = Fit(font, label.text, label.place.width);
        const TextSize size = font.MeasureText(text.c_str());
        const float x = float(label.place.x + (label.place.width - size.cx) / 2);
        const float y = float(label.place.y + (label.place.height - size.cy) / 2);
        font.RenderText(x, y, label.colour, text.c_str(), 0);
    }
    font.ReleaseDrawResources();
    font.ReleaseAtlas();
}

}  // namespace

int RunSheet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: rockpile-inspect sheet LIB OUT.png\n";
        return 2;
    }
    TGameLib lib(args[0].c_str(), "");
    LibrarySession session(lib, true);
    if (!OpenOrReport(lib, args[0], err)) return 1;
    const Contents contents = ListContents(lib);
    if (contents.meshes.empty() && contents.pictures.empty()) {
        err << args[0] << ": no meshes or pictures to draw\n";
        return 1;
    }
    const bool outlines = HasEntry(kOutlineShader);
    const SheetLayout layout =
        LayOutSheet(int(contents.meshes.size()), outlines ? 2 : 1, int(contents.pictures.size()));

    std::string problem;
    std::unique_ptr<GlCanvas> canvas = GlCanvas::Open(layout.width, layout.height, problem);
    if (!canvas) {
        err << "cannot draw: " << problem << "\n";
        return 1;
    }
    Device& device = canvas->device();
    Image image;
    bool complete, captured;
    {
        TextureSession textures(&device);
        std::unique_ptr<TEdgeRender> outline;
        if (outlines) {
            outline = std::make_unique<TEdgeRender>(&device);
            if (!outline->LoadOutlineShader()) outline.reset();
        }
        device.Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackdrop, 1.0f);
        device.BeginScene();
        GameLook look(device, layout.width, layout.height);
        std::vector<Label> labels;
        complete = DrawMeshes(device, look, outline.get(), contents.meshes, layout.meshes, labels);
        complete = DrawPictures(look, contents.pictures, layout.pictures, labels) && complete;
        DrawLabels(device, labels);
        device.EndScene();
        captured = canvas->Capture(image);
    }
    if (!captured || !WritePng(image, args[1])) {
        err << args[1] << ": cannot write the sheet\n";
        return 1;
    }
    out << "drew " << contents.meshes.size() << " meshes and " << contents.pictures.size() << " pictures into "
        << args[1] << " (" << layout.width << " x " << layout.height << ")\n";
    if (!complete) err << "some entries could not be loaded (marked 'failed' on the sheet)\n";
    return complete ? 0 : 1;
}
