#include "inspect_commands.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "entry_kind.h"
#include "gamelib/libman.h"
#include "gamelib/mesh.h"
#include "gamelib/texman.h"
#include "gamelib/xfile.h"
#include "gl_commands.h"
#include "library_session.h"
#include "platform/image_decode.h"
#include "sound/wav.h"

namespace {

std::ostream& operator<<(std::ostream& out, const Vector3& v) {
    return out << "(" << v.x << ", " << v.y << ", " << v.z << ")";
}

std::ostream& operator<<(std::ostream& out, const D3DCOLORVALUE& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ", " << c.a << ")";
}

const char* FormatName(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_A8R8G8B8: return "A8R8G8B8";
        case D3DFMT_X8R8G8B8: return "X8R8G8B8";
        case D3DFMT_A4R4G4B4: return "A4R4G4B4";
        default: return "unknown";
    }
}

int InspectMesh(const std::string& name, const std::vector<uint8_t>& bytes, std::ostream& out, std::ostream& err) {
    std::string why;
    std::optional<XFileMesh> file = ParseXFile(bytes.data(), bytes.size(), &why);
    TextureSession textures(nullptr);  // holds the mesh's textures until the end
    std::optional<TMesh> mesh = LoadMeshFromMemory(nullptr, bytes.data(), bytes.size(), 0, 0, 1.0, name.c_str());
    if (!file || !mesh) {
        err << name << ": not a mesh the game can load" << (why.empty() ? "" : " (" + why + ")") << "\n";
        return 1;
    }
    const D3DXMesh& m = *mesh->mesh;
    out << "mesh " << name << "\n";
    out << "vertices " << m.GetNumVertices() << "\n";
    out << "triangles " << m.GetNumFaces() << "\n";
    out << "subsets " << mesh->numMaterials << "\n";
    for (int i = 0; i < mesh->numMaterials; ++i) {
        uint32_t faces = 0;
        for (const D3DXATTRIBUTERANGE& r : m.AttributeTable())
            if (r.AttribId == uint32_t(i)) faces += r.FaceCount;
        const D3DMATERIAL9& mat = mesh->materials[i];
        out << "subset " << i << ": " << faces << " triangles, diffuse " << mat.Diffuse << ", specular "
            << mat.Specular << ", emissive " << mat.Emissive << ", power " << mat.Power;
        const std::string& texture = file->textureNames[i];
        if (!texture.empty()) {
            out << ", texture \"" << texture << "\"";
            const TTextureEntry* entry = mesh->textures[i];
            if (entry && entry->texture)
                out << " (" << entry->texture->Width() << " x " << entry->texture->Height() << ")";
            else
                out << " (missing)";
        }
        out << "\n";
    }
    Sphere sphere = GetMeshSphere(*mesh);
    Vector3 minimum, maximum;
    GetMeshBox(*mesh, minimum, maximum);
    out << "bounding sphere centre " << sphere.centre << " radius " << sphere.radius << "\n";
    out << "bounding box min " << minimum << " max " << maximum << "\n";
    return 0;
}

int InspectPicture(const std::string& name, const std::vector<uint8_t>& bytes, std::ostream& out,
                   std::ostream& err) {
    DecodedImage image;
    std::string problem;
    if (!DecodeImage(bytes.data(), bytes.size(), image, &problem)) {
        err << name << ": " << problem << "\n";
        return 1;
    }
    auto texture = D3DXCreateTextureFromFileInMemory(bytes.data(), bytes.size());
    out << "picture " << name << "\n";
    out << "container " << image.container << "\n";
    out << "size " << image.width << " x " << image.height << "\n";
    out << "bits per pixel " << image.bitsPerPixel << (image.hasAlpha ? " (with alpha)" : "") << "\n";
    out << "texture " << FormatName(texture->Format()) << ", " << texture->GetLevelCount() << " mip levels\n";
    return 0;
}

std::string Tag(const std::vector<uint8_t>& bytes, size_t offset) {
    std::string tag;
    for (size_t i = offset; i < offset + 4 && i < bytes.size(); ++i)
        tag += std::isprint(bytes[i]) ? char(bytes[i]) : '.';
    return "\"" + tag + "\"";
}

uint32_t Little(const std::vector<uint8_t>& bytes, size_t offset, int size) {
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v << 8 | bytes[offset + i];
    return v;
}

int InspectWav(const std::string& name, const std::vector<uint8_t>& bytes, std::ostream& out, std::ostream& err) {
    if (bytes.size() < WAV_HEADER_SIZE) {
        err << name << ": " << bytes.size() << " bytes, shorter than a " << WAV_HEADER_SIZE << "-byte WAV header\n";
        return 1;
    }
    WavFormat format;
    bool accepted = ReadWavHeader(bytes.data(), bytes.size(), format);
    out << "wav " << name << "\n";
    out << "riff tag " << Tag(bytes, 0) << ", riff size " << Little(bytes, 4, 4) << "\n";
    out << "wave tag " << Tag(bytes, 8) << "\n";
    out << "fmt tag " << Tag(bytes, 12) << ", fmt size " << Little(bytes, 16, 4) << ", format tag "
        << Little(bytes, 20, 2) << "\n";
    out << "channels " << Little(bytes, 22, 2) << "\n";
    out << "samples per second " << Little(bytes, 24, 4) << "\n";
    out << "bits per sample " << Little(bytes, 34, 2) << "\n";
    out << "data tag " << Tag(bytes, 36) << ", data size " << Little(bytes, 40, 4) << "\n";
    out << "accepted " << (accepted ? "yes" : "no") << "\n";
    return 0;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

const char kUsage[] =
    "usage: rockpile-inspect LIB NAME   describe an entry of a game library\n"
    "       rockpile-inspect FILE       describe a .x mesh, JPEG or BMP picture, or WAV sound\n"
    "       rockpile-inspect render LIB NAME OUT.png [--size WxH]\n"
    "                                   draw a mesh or picture of a library as the games do\n"
    "       rockpile-inspect sheet LIB OUT.png\n"
    "                                   draw every mesh and picture of a library, named\n";

}  // namespace

int InspectBytes(const std::string& name, const std::vector<uint8_t>& bytes, std::ostream& out, std::ostream& err) {
    switch (KindOfEntry(name, bytes)) {
        case EntryKind::Mesh: return InspectMesh(name, bytes, out, err);
        case EntryKind::Picture: return InspectPicture(name, bytes, out, err);
        case EntryKind::Wav: return InspectWav(name, bytes, out, err);
        case EntryKind::Unknown: break;
    }
    out << "data " << name << "\n" << "size " << bytes.size() << " bytes (not a mesh, picture or sound)\n";
    return 0;
}

int RunInspectTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && (args[0] == "render" || args[0] == "sheet")) {
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        return args[0] == "render" ? RunRender(rest, out, err) : RunSheet(rest, out, err);
    }
    if (args.size() == 1 && args[0] != "--help" && args[0] != "-h") {
        std::vector<uint8_t> bytes;
        if (!ReadFile(args[0], bytes)) {
            err << args[0] << ": cannot read the file\n";
            return 1;
        }
        TGameLib loose("", "");
        std::filesystem::path dir = std::filesystem::path(args[0]).parent_path();
        loose.defaultPaths[0] = dir.empty() ? "." : dir.string();
        loose.defaultPathCount = 1;
        LibrarySession session(loose, false);
        return InspectBytes(std::filesystem::path(args[0]).filename().string(), bytes, out, err);
    }
    if (args.size() == 2) {
        TGameLib lib(args[0].c_str(), "");
        LibrarySession session(lib, true);
        if (!OpenOrReport(lib, args[0], err)) return 1;
        TLibEntry* entry = LibGetFile(args[1].c_str());
        if (!entry) {
            err << args[0] << ": no entry named '" << args[1] << "'\n";
            return 1;
        }
        std::vector<uint8_t> bytes(entry->data, entry->data + entry->length);
        LibReleaseFile(entry);
        return InspectBytes(args[1], bytes, out, err);
    }
    (args.size() == 1 ? out : err) << kUsage;
    return args.size() == 1 ? 0 : 2;
}
