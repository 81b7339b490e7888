#include <charconv>
#include <memory>
#include <optional>
#include <ostream>

#include "entry_kind.h"
#include "game_look.h"
#include "gl_canvas.h"
#include "gl_commands.h"
#include "library_session.h"
#include "platform/image_decode.h"
#include "platform/png_writer.h"

namespace {

constexpr int kMinSide = 16, kMaxSide = 8192;
constexpr int kDefaultSide = 512;

bool ParseSide(const char* first, const char* last, int& side) {
    auto [end, problem] = std::from_chars(first, last, side);
    return problem == std::errc() && end == last && side >= kMinSide && side <= kMaxSide;
}

// Draws the entry `name` of the current library over the whole canvas.
bool DrawEntry(GlCanvas& canvas, const std::string& name, EntryKind kind, const TLibEntry& entry,
               std::ostream& err) {
    Device& device = canvas.device();
    GameLook look(device, canvas.Width(), canvas.Height());
    const PixelRect whole{0, 0, canvas.Width(), canvas.Height()};
    if (kind == EntryKind::Mesh) {
        std::optional<TMesh> mesh = LoadMesh(&device, name.c_str(), GameMeshFlags(name), 0, 1.0);
        if (!mesh) {
            err << name << ": not a mesh the game can load\n";
            return false;
        }
        look.DrawMesh(*mesh, whole);
        return true;
    }
    std::unique_ptr<Texture> picture = D3DXCreateTextureFromFileInMemory(entry.data, entry.length);
    if (!picture) {
        err << name << ": not a picture the game can load\n";
        return false;
    }
    look.DrawPicture(*picture, whole);
    return true;
}

}  // namespace

bool ParseFrameSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    const char* begin = text.data();
    return ParseSide(begin, begin + x, width) && ParseSide(begin + x + 1, begin + text.size(), height);
}

int RunRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int width = kDefaultSide, height = kDefaultSide;
    const bool sized = args.size() == 5 && args[3] == "--size";
    if (args.size() != 3 && !sized) {
        err << "usage: rockpile-inspect render LIB NAME OUT.png [--size WxH]\n";
        return 2;
    }
    if (sized && !ParseFrameSize(args[4], width, height)) {
        err << "--size " << args[4] << ": expected WxH, each side " << kMinSide << " to " << kMaxSide << "\n";
        return 2;
    }
    const std::string& name = args[1];
    const std::string& png = args[2];

    TGameLib lib(args[0].c_str(), "");
    LibrarySession session(lib, true);
    if (!OpenOrReport(lib, args[0], err)) return 1;
    TLibEntry* entry = LibGetFile(name.c_str());
    if (!entry) {
        err << args[0] << ": no entry named '" << name << "'\n";
        return 1;
    }
    const EntryKind kind = KindOfEntry(name, entry->data, entry->length);
    if (kind != EntryKind::Mesh && kind != EntryKind::Picture) {
        LibReleaseFile(entry);
        err << name << ": neither a mesh nor a picture\n";
        return 1;
    }

    std::string problem;
    std::unique_ptr<GlCanvas> canvas = GlCanvas::Open(width, height, problem);
    if (!canvas) {
        LibReleaseFile(entry);
        err << "cannot draw: " << problem << "\n";
        return 1;
    }
    Image image;
    bool drawn;
    {
        TextureSession textures(&canvas->device());
        canvas->device().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackdrop, 1.0f);
        canvas->device().BeginScene();
        drawn = DrawEntry(*canvas, name, kind, *entry, err);
        canvas->device().EndScene();
        drawn = drawn && canvas->Capture(image);
    }
    LibReleaseFile(entry);
    if (!drawn) return 1;
    if (!WritePng(image, png)) {
        err << png << ": cannot write the picture\n";
        return 1;
    }
    out << "drew " << name << " into " << png << " (" << width << " x " << height << ")\n";
    return 0;
}
