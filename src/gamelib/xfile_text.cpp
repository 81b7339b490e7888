#include "gamelib/xfile_text.h"

#include <algorithm>
#include <unordered_map>

#include "gamelib/xfile_number.h"
#include "gamelib/xfile_tokens.h"

namespace {

constexpr int kMaxFrameDepth = 32;
constexpr size_t kMaxMaterialsPerList = 256;
constexpr size_t kMaxMaterials = 1024;  // a reference is a few bytes but a whole material
constexpr size_t kMaxTextureName = 255;

bool IsTextureName(std::string_view name) {
    if (name.empty() || name.size() > kMaxTextureName || name.find("//") != std::string_view::npos) return false;
    for (char c : name)
        if (c <= ' ' || c > '~' || std::string_view("\",;{}<>#").find(c) != std::string_view::npos) return false;
    return true;
}

// Exporters write '\' doubled in paths; any run of them stands for one.
std::string TexturePath(std::string_view name) {
    std::string path;
    for (char c : name)
        if (c != '\\' || path.empty() || path.back() != '\\') path += c;
    return path;
}

class Reader {
public:
    explicit Reader(const std::vector<XToken>& tokens) : tokens_(tokens) {}

    bool ReadScene(XScene& scene) {
        CollectNamedMaterials();
        pos_ = 0;
        while (pos_ < tokens_.size())
            if (!ReadChild(scene, 0)) return false;
        return true;
    }

    // Where reading stopped: the token it could not take, or the end.
    const char* StoppedAt() const { return pos_ < tokens_.size() ? tokens_[pos_].text.data() : nullptr; }
    // What was wrong there beyond the file's form, or empty.
    const std::string& Problem() const { return problem_; }

private:
    const std::vector<XToken>& tokens_;
    size_t pos_ = 0;
    std::unordered_map<std::string_view, XMaterial> named_;
    size_t materials_ = 0;
    std::string problem_;

    bool At(XTokenKind kind) const { return pos_ < tokens_.size() && tokens_[pos_].kind == kind; }
    size_t Left() const { return tokens_.size() - pos_; }

    bool Take(XTokenKind kind) {
        if (!At(kind)) return false;
        ++pos_;
        return true;
    }

    // Named materials at the top of the file, wherever they stand, so that
    // references read before them resolve. Stops quietly at anything
    // damaged; the reading proper names it.
    void CollectNamedMaterials() {
        while (pos_ < tokens_.size()) {
            std::string_view type, name;
            if (At(XTokenKind::Open)) {
                if (!ReadReference(name)) return;
            } else if (!OpenObject(type, name)) {
                return;
            } else if (type == "Material" && !name.empty()) {
                XMaterial material;
                if (!ReadMaterial(material)) return;
                named_.try_emplace(name, std::move(material));
            } else if (!SkipRest()) {
                return;
            }
        }
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

    bool ReadNumbers(float* out, size_t count) {
        if (count > Left()) return false;
        for (size_t i = 0; i < count; ++i, ++pos_) {
            if (!At(XTokenKind::Word)) return false;
            const std::optional<float> number = ReadXNumber(tokens_[pos_].text);
            if (!number) return false;
            out[i] = *number;
        }
        return true;
    }

    bool ReadNumbers(std::vector<float>& out, size_t count) {
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
    bool ReadChild(XFrame& frame, int depth) {
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
            return ReadNumbers(frame.matrix.data(), frame.matrix.size()) && SkipChildren();
        }
        if (type == "Material" && depth == 0) {
            XMaterial checked;  // kept by CollectNamedMaterials when named
            return ReadMaterial(checked);
        }
        return SkipRest();
    }

    bool ReadFrame(XFrame& frame, int depth) {
        while (!Take(XTokenKind::Close))
            if (!ReadChild(frame, depth)) return false;
        return true;
    }

    bool ReadMaterial(XMaterial& material) {
        if (!ReadNumbers(material.diffuse.data(), 4) || !ReadNumbers(&material.power, 1) ||
            !ReadNumbers(material.specular.data(), 3) || !ReadNumbers(material.emissive.data(), 3))
            return false;
        while (!Take(XTokenKind::Close)) {
            std::string_view type, name;
            if (At(XTokenKind::Open)) {
                if (!ReadReference(name)) return false;
            } else if (!OpenObject(type, name)) {
                return false;
            } else if (type == "TextureFilename") {
                if (!At(XTokenKind::String) || !IsTextureName(tokens_[pos_].text)) return false;
                if (material.texture.empty()) material.texture = TexturePath(tokens_[pos_].text);
                ++pos_;
                if (!SkipChildren()) return false;
            } else if (!SkipRest()) {
                return false;
            }
        }
        return true;
    }

    bool ReadFaces(XFaces& faces, size_t vertices) {
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

    bool ReadMesh(XMesh& mesh) {
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
    bool ReadNormals(XMesh& mesh) {
        size_t count = 0;
        if (!ReadCount(count, 3) || !ReadNumbers(mesh.normals, 3 * count) || !ReadFaces(mesh.normalFaces, count))
            return false;
        return mesh.normalFaces.cornerCounts == mesh.faces.cornerCounts && SkipChildren();
    }

    // "{ name }" in a material list: a copy of the named material.
    bool ReadReferencedMaterial(XMaterial& material) {
        const size_t at = pos_;
        std::string_view reference;
        if (!ReadReference(reference) || reference.empty()) return false;
        const auto named = named_.find(reference);
        if (named == named_.end()) {
            pos_ = at;
            problem_ = "the material reference '" + std::string(reference) + "' names no material";
            return false;
        }
        material = named->second;
        return true;
    }

    // Materials, and one material index for every face or one for all.
    bool ReadMaterialList(XMesh& mesh) {
        const size_t faces = mesh.faces.cornerCounts.size();
        size_t declared = 0, indices = 0;  // the materials found count, whatever the file declares
        if (!ReadCount(declared, 0) || !ReadCount(indices, 1) || (indices != faces && indices != 1)) return false;
        mesh.faceMaterials.resize(indices);
        for (uint32_t& index : mesh.faceMaterials)
            if (!ReadIndex(index, kMaxMaterialsPerList)) return false;
        mesh.faceMaterials.resize(faces, mesh.faceMaterials.front());
        while (!Take(XTokenKind::Close)) {
            const size_t at = pos_;
            XMaterial material;
            if (At(XTokenKind::Open)) {
                if (!ReadReferencedMaterial(material)) return false;
            } else {
                std::string_view type, name;
                if (!OpenObject(type, name)) return false;
                if (type != "Material") {
                    if (!SkipRest()) return false;
                    continue;
                }
                if (!ReadMaterial(material)) return false;
            }
            if (mesh.materials.size() == kMaxMaterialsPerList || ++materials_ > kMaxMaterials) {
                pos_ = at;
                problem_ = "more materials than " + std::to_string(kMaxMaterialsPerList) + " in a list or " +
                           std::to_string(kMaxMaterials) + " in the file";
                return false;
            }
            mesh.materials.push_back(std::move(material));
        }
        for (uint32_t index : mesh.faceMaterials)
            if (index >= mesh.materials.size()) return false;
        return true;
    }
};

bool HoldsMesh(const XFrame& frame) {
    if (!frame.meshes.empty()) return true;
    return std::any_of(frame.frames.begin(), frame.frames.end(), HoldsMesh);
}

}  // namespace

std::optional<XScene> ReadXScene(std::string_view text, std::string* why) {
    auto refuse = [why](const std::string& reason) -> std::optional<XScene> {
        if (why) *why = reason;
        return std::nullopt;
    };
    if (text.size() < 16 || text.substr(0, 4) != "xof " || text.substr(8, 4) != "txt ")
        return refuse("not a text .x file");
    const std::optional<std::vector<XToken>> tokens = SplitXTokens(text.substr(16));
    if (!tokens) return refuse("a NUL byte, or a string or GUID left open");
    XScene scene;
    Reader reader(*tokens);
    if (!reader.ReadScene(scene)) {
        const char* at = reader.StoppedAt();
        if (!at) return refuse("it ends inside an object");
        const std::string line = "line " + std::to_string(std::count(text.data(), at, '\n') + 1);
        return refuse(reader.Problem().empty() ? "damaged at " + line : reader.Problem() + " at " + line);
    }
    if (!HoldsMesh(scene)) return refuse("it holds no mesh");
    return scene;
}
