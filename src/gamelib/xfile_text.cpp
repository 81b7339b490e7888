#include "gamelib/xfile_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <vector>

#include "gamelib/xfile_tokens.h"

namespace {

constexpr int kMaxFrameDepth = 32;
constexpr size_t kMaxMaterialsPerList = 256;
constexpr size_t kMaxMaterialsWritten = 1024;  // references are written out in full
constexpr size_t kMaxNumberLength = 48;
constexpr size_t kMaxTextureName = 255;

struct Material {
    // Diffuse RGBA, power, specular RGB, emissive RGB, as written.
    std::array<std::string_view, 11> values;
    std::string_view texture;
};

struct Faces {
    std::vector<uint32_t> cornerCounts;
    std::vector<uint32_t> corners;
};

// One entry of a material list: a material of its own or a reference to a
// named one at the top of the file.
struct MaterialSlot {
    Material own;
    std::string_view reference;
    bool isReference = false;
};

struct Mesh {
    std::vector<std::string_view> positions;  // three per vertex
    Faces faces;
    bool hasNormals = false;
    std::vector<std::string_view> normals;  // three per normal
    Faces normalFaces;
    std::vector<std::string_view> textureCoords;  // two per vertex, or none
    std::vector<uint32_t> faceMaterials;          // one per face, or none
    std::vector<MaterialSlot> materials;
};

struct Frame {
    std::array<std::string_view, 16> matrix;
    bool hasMatrix = false;
    std::vector<Mesh> meshes;
    std::vector<Frame> frames;
};

struct Scene {
    Frame top;  // meshes and frames outside any frame
    std::unordered_map<std::string_view, Material> namedMaterials;
};

// A float written as digits with an optional point and an exponent of at
// most 38: the importer scales by the power of ten in float, so a larger one
// turns 0e80000 into NaN there.
bool IsFiniteNumber(std::string_view word) {
    if (word.empty() || word.size() > kMaxNumberLength) return false;
    if (const size_t e = word.find_first_of("eE"); e != std::string_view::npos) {
        std::string_view exponent = word.substr(e + 1);
        if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.remove_prefix(1);
        if (exponent.empty() || exponent.size() > 2 ||
            !std::all_of(exponent.begin(), exponent.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
            std::stoi(std::string(exponent)) > 38)
            return false;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size() &&
           std::abs(value) <= std::numeric_limits<float>::max();
}

bool IsTextureName(std::string_view name) {
    if (name.empty() || name.size() > kMaxTextureName || name.find("//") != std::string_view::npos) return false;
    for (char c : name)
        if (c <= ' ' || c > '~' || std::string_view("\",;{}<>#").find(c) != std::string_view::npos) return false;
    return true;
}

class Reader {
public:
    explicit Reader(const std::vector<XToken>& tokens) : tokens_(tokens) {}

    bool ReadScene(Scene& scene) {
        scene_ = &scene;
        while (pos_ < tokens_.size())
            if (!ReadChild(scene.top, 0)) return false;
        return true;
    }

    // Where reading stopped: the token it could not take, or the end.
    const char* StoppedAt() const {
        return pos_ < tokens_.size() ? tokens_[pos_].text.data() : nullptr;
    }

private:
    const std::vector<XToken>& tokens_;
    size_t pos_ = 0;
    Scene* scene_ = nullptr;

    bool At(XTokenKind kind) const { return pos_ < tokens_.size() && tokens_[pos_].kind == kind; }
    size_t Left() const { return tokens_.size() - pos_; }

    bool Take(XTokenKind kind) {
        if (!At(kind)) return false;
        ++pos_;
        return true;
    }

    // "Type [name] { [<guid>]": the object's type and name.
    bool OpenObject(std::string_view& type, std::string_view& name) {
        if (!At(XTokenKind::Word)) return false;
        type = tokens_[pos_++].text;
        name = {};
        if (At(XTokenKind::Word)) name = tokens_[pos_++].text;
        if (!Take(XTokenKind::Open)) return false;
        Take(XTokenKind::Guid);
        return true;
    }

    // Past the '}' that closes the object whose '{' was read last.
    bool SkipRest() {
        for (int depth = 1; pos_ < tokens_.size(); ++pos_) {
            if (At(XTokenKind::Open)) ++depth;
            if (At(XTokenKind::Close) && --depth == 0) {
                ++pos_;
                return true;
            }
        }
        return false;
    }

    // "{ [name] [<guid>] }": the name, empty for a GUID alone.
    bool ReadReference(std::string_view& name) {
        if (!Take(XTokenKind::Open)) return false;
        name = {};
        if (At(XTokenKind::Word)) name = tokens_[pos_++].text;
        Take(XTokenKind::Guid);
        return Take(XTokenKind::Close);
    }

    // A count of items of at least tokensPerItem tokens each, which the rest of
    // the file must be able to hold.
    bool ReadCount(size_t& count, size_t tokensPerItem) {
        if (!At(XTokenKind::Word)) return false;
        const std::string_view word = tokens_[pos_].text;
        if (word.empty() || word.size() > 9) return false;
        count = 0;
        for (char c : word) {
            if (c < '0' || c > '9') return false;
            count = count * 10 + size_t(c - '0');
        }
        if (count * tokensPerItem > Left() - 1) return false;
        ++pos_;
        return true;
    }

    bool ReadIndex(uint32_t& index, size_t below) {
        size_t value = 0;
        if (!ReadCount(value, 0)) return false;
        if (value >= below) {
            --pos_;  // reading stopped at this index
            return false;
        }
        index = uint32_t(value);
        return true;
    }

    bool ReadNumbers(std::string_view* out, size_t count) {
        if (count > Left()) return false;
        for (size_t i = 0; i < count; ++i, ++pos_) {
            if (!At(XTokenKind::Word) || !IsFiniteNumber(tokens_[pos_].text)) return false;
            out[i] = tokens_[pos_].text;
        }
        return true;
    }

    bool ReadNumbers(std::vector<std::string_view>& out, size_t count) {
        if (count > Left()) return false;
        out.resize(count);
        return ReadNumbers(out.data(), count);
    }

    // Children of an object up to its '}', none of them read.
    bool SkipChildren() {
        while (!Take(XTokenKind::Close)) {
            std::string_view type, name;
            if (At(XTokenKind::Open) ? !ReadReference(name) : !(OpenObject(type, name) && SkipRest())) return false;
        }
        return true;
    }

    // Children of a frame, or objects at the top of the file.
    bool ReadChild(Frame& frame, int depth) {
        std::string_view type, name;
        if (At(XTokenKind::Open)) return ReadReference(name);  // an instance of a frame: not drawn
        if (!OpenObject(type, name)) return false;
        if (type == "Frame") {
            if (depth >= kMaxFrameDepth) return false;
            frame.frames.emplace_back();
            return ReadFrame(frame.frames.back(), depth + 1);
        }
        if (type == "Mesh") {
            frame.meshes.emplace_back();
            return ReadMesh(frame.meshes.back());
        }
        if (type == "FrameTransformMatrix" && depth > 0) {
            frame.hasMatrix = true;
            return ReadNumbers(frame.matrix.data(), 16) && SkipChildren();
        }
        if (type == "Material" && depth == 0) {
            Material material;
            if (!ReadMaterial(material)) return false;
            if (!name.empty()) scene_->namedMaterials.try_emplace(name, material);
            return true;
        }
        return SkipRest();
    }

    bool ReadFrame(Frame& frame, int depth) {
        while (!Take(XTokenKind::Close))
            if (!ReadChild(frame, depth)) return false;
        return true;
    }

    bool ReadMaterial(Material& material) {
        if (!ReadNumbers(material.values.data(), material.values.size())) return false;
        while (!Take(XTokenKind::Close)) {
            std::string_view type, name;
            if (At(XTokenKind::Open)) {
                if (!ReadReference(name)) return false;
            } else if (!OpenObject(type, name)) {
                return false;
            } else if (type == "TextureFilename") {
                if (!At(XTokenKind::String) || !IsTextureName(tokens_[pos_].text)) return false;
                if (material.texture.empty()) material.texture = tokens_[pos_].text;
                ++pos_;
                if (!SkipChildren()) return false;
            } else if (!SkipRest()) {
                return false;
            }
        }
        return true;
    }

    // Per face its corner count (at least three) and corners.
    bool ReadFaces(Faces& faces, size_t vertices) {
        size_t count = 0;
        if (!ReadCount(count, 4)) return false;
        faces.cornerCounts.resize(count);
        for (uint32_t& corners : faces.cornerCounts) {
            size_t n = 0;
            if (!ReadCount(n, 1) || n < 3) return false;
            corners = uint32_t(n);
            for (size_t c = 0; c < n; ++c) {
                uint32_t corner = 0;
                if (!ReadIndex(corner, vertices)) return false;
                faces.corners.push_back(corner);
            }
        }
        return true;
    }

    bool ReadMesh(Mesh& mesh) {
        size_t vertices = 0;
        if (!ReadCount(vertices, 3) || !ReadNumbers(mesh.positions, 3 * vertices) || !ReadFaces(mesh.faces, vertices) ||
            mesh.faces.cornerCounts.empty())
            return false;
        bool hasCoords = false, hasList = false;
        while (!Take(XTokenKind::Close)) {
            std::string_view type, name;
            if (At(XTokenKind::Open)) {
                if (!ReadReference(name)) return false;
                continue;
            }
            if (!OpenObject(type, name)) return false;
            bool read = true;
            if (type == "MeshNormals" && !mesh.hasNormals) {
                mesh.hasNormals = true;
                read = ReadNormals(mesh);
            } else if (type == "MeshTextureCoords" && !hasCoords) {
                hasCoords = true;
                size_t count = 0;
                read = ReadCount(count, 2) && count == vertices && ReadNumbers(mesh.textureCoords, 2 * count) &&
                       SkipChildren();
            } else if (type == "MeshMaterialList" && !hasList) {
                hasList = true;
                read = ReadMaterialList(mesh);
            } else {
                read = SkipRest();
            }
            if (!read) return false;
        }
        return true;
    }

    // Normals with faces that match the mesh's face by face.
    bool ReadNormals(Mesh& mesh) {
        size_t count = 0;
        if (!ReadCount(count, 3) || !ReadNumbers(mesh.normals, 3 * count) || !ReadFaces(mesh.normalFaces, count))
            return false;
        return mesh.normalFaces.cornerCounts == mesh.faces.cornerCounts && SkipChildren();
    }

    // Materials, and one material index for every face or one for all.
    bool ReadMaterialList(Mesh& mesh) {
        const size_t faces = mesh.faces.cornerCounts.size();
        size_t declared = 0, indices = 0;  // the materials found are written, whatever the count says
        if (!ReadCount(declared, 0) || !ReadCount(indices, 1) || (indices != faces && indices != 1)) return false;
        mesh.faceMaterials.resize(indices);
        for (uint32_t& index : mesh.faceMaterials)
            if (!ReadIndex(index, kMaxMaterialsPerList)) return false;
        mesh.faceMaterials.resize(faces, mesh.faceMaterials.front());
        while (!Take(XTokenKind::Close)) {
            MaterialSlot slot;
            std::string_view type, name;
            if (At(XTokenKind::Open)) {
                if (!ReadReference(slot.reference) || slot.reference.empty()) return false;
                slot.isReference = true;
            } else if (!OpenObject(type, name)) {
                return false;
            } else if (type != "Material") {
                if (!SkipRest()) return false;
                continue;
            } else if (!ReadMaterial(slot.own)) {
                return false;
            }
            if (mesh.materials.size() == kMaxMaterialsPerList) return false;
            mesh.materials.push_back(slot);
        }
        for (uint32_t index : mesh.faceMaterials)
            if (index >= mesh.materials.size()) return false;
        return true;
    }
};

// Every float is followed by ';': the importer reads a ',' after a float
// without a point as its decimal point.
class Writer {
public:
    explicit Writer(const Scene& scene) : scene_(scene) {}

    bool Write(std::string& out) {
        out_ = &out;
        out = "xof 0303txt 0032\n";
        for (const Mesh& mesh : scene_.top.meshes)
            if (!WriteMesh(mesh)) return false;
        for (const Frame& frame : scene_.top.frames)
            if (!WriteFrame(frame)) return false;
        return true;
    }

private:
    const Scene& scene_;
    std::string* out_ = nullptr;
    size_t materialsWritten_ = 0;

    void Add(std::string_view text) { out_->append(text); }

    // Items of `width` numbers each: "a;b;c;" separated by ',' and ended by ';'.
    void AddVectors(const std::vector<std::string_view>& numbers, size_t width) {
        const size_t items = numbers.size() / width;
        Add(std::to_string(items) + ";\n");
        for (size_t i = 0; i < items; ++i) {
            for (size_t k = 0; k < width; ++k) {
                Add(numbers[i * width + k]);
                Add(";");
            }
            Add(i + 1 < items ? ",\n" : ";\n");
        }
    }

    void AddFaces(const Faces& faces) {
        Add(std::to_string(faces.cornerCounts.size()) + ";\n");
        size_t corner = 0;
        for (size_t f = 0; f < faces.cornerCounts.size(); ++f) {
            Add(std::to_string(faces.cornerCounts[f]) + ";");
            for (uint32_t c = 0; c < faces.cornerCounts[f]; ++c)
                Add(std::to_string(faces.corners[corner++]) + (c + 1 < faces.cornerCounts[f] ? "," : ";"));
            Add(f + 1 < faces.cornerCounts.size() ? ",\n" : ";\n");
        }
    }

    bool AddMaterial(const Material& m) {
        if (++materialsWritten_ > kMaxMaterialsWritten) return false;
        Add("Material {\n");
        for (size_t i = 0; i < m.values.size(); ++i) {
            Add(m.values[i]);
            Add(i == 3 || i == 7 || i == 10 ? ";;\n" : i == 4 ? ";\n" : ";");
        }
        if (!m.texture.empty()) {
            Add("TextureFilename {\n\"");
            Add(m.texture);
            Add("\";\n}\n");
        }
        Add("}\n");
        return true;
    }

    bool WriteMesh(const Mesh& mesh) {
        Add("Mesh {\n");
        AddVectors(mesh.positions, 3);
        AddFaces(mesh.faces);
        if (mesh.hasNormals) {
            Add("MeshNormals {\n");
            AddVectors(mesh.normals, 3);
            AddFaces(mesh.normalFaces);
            Add("}\n");
        }
        if (!mesh.textureCoords.empty()) {
            Add("MeshTextureCoords {\n");
            AddVectors(mesh.textureCoords, 2);
            Add("}\n");
        }
        if (!mesh.materials.empty()) {
            Add("MeshMaterialList {\n" + std::to_string(mesh.materials.size()) + ";\n" +
                std::to_string(mesh.faceMaterials.size()) + ";\n");
            for (size_t f = 0; f < mesh.faceMaterials.size(); ++f)
                Add(std::to_string(mesh.faceMaterials[f]) + (f + 1 < mesh.faceMaterials.size() ? ",\n" : ";\n"));
            for (const MaterialSlot& slot : mesh.materials) {
                const Material* material = &slot.own;
                if (slot.isReference) {
                    const auto named = scene_.namedMaterials.find(slot.reference);
                    if (named == scene_.namedMaterials.end()) return false;
                    material = &named->second;
                }
                if (!AddMaterial(*material)) return false;
            }
            Add("}\n");
        }
        Add("}\n");
        return true;
    }

    bool WriteFrame(const Frame& frame) {
        Add("Frame {\n");
        if (frame.hasMatrix) {
            Add("FrameTransformMatrix {\n");
            for (std::string_view number : frame.matrix) {
                Add(number);
                Add(";");
            }
            Add(";\n");
            Add("}\n");
        }
        for (const Mesh& mesh : frame.meshes)
            if (!WriteMesh(mesh)) return false;
        for (const Frame& child : frame.frames)
            if (!WriteFrame(child)) return false;
        Add("}\n");
        return true;
    }
};

bool HoldsMesh(const Frame& frame) {
    if (!frame.meshes.empty()) return true;
    for (const Frame& child : frame.frames)
        if (HoldsMesh(child)) return true;
    return false;
}

}  // namespace

std::optional<std::string> CanonicalXFileText(std::string_view text, std::string* why) {
    auto refuse = [why](const std::string& reason) -> std::optional<std::string> {
        if (why) *why = reason;
        return std::nullopt;
    };
    if (text.size() < 16 || text.substr(0, 4) != "xof " || text.substr(8, 4) != "txt ")
        return refuse("not a text .x file");
    const std::optional<std::vector<XToken>> tokens = SplitXTokens(text.substr(16));
    if (!tokens) return refuse("a NUL byte, or a string or GUID left open");
    Scene scene;
    Reader reader(*tokens);
    if (!reader.ReadScene(scene)) {
        const char* at = reader.StoppedAt();
        if (!at) return refuse("it ends inside an object");
        const size_t line = size_t(std::count(text.data(), at, '\n')) + 1;
        return refuse("damaged at line " + std::to_string(line));
    }
    if (!HoldsMesh(scene.top)) return refuse("it holds no mesh");
    std::string out;
    if (!Writer(scene).Write(out)) return refuse("a material reference names no material, or too many materials");
    return out;
}
