#include "gamelib/xfile.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace {

struct VertexKey {
    MeshVertex v;
    bool operator==(const VertexKey& o) const { return std::memcmp(&v, &o.v, sizeof v) == 0; }
};

struct VertexKeyHash {
    size_t operator()(const VertexKey& k) const {
        const auto* words = reinterpret_cast<const uint32_t*>(&k.v);
        size_t h = 0;
        for (size_t i = 0; i < sizeof(MeshVertex) / 4; ++i) h = h * 1000003u ^ words[i];
        return h;
    }
};

// Vertices, faces and face materials of the whole scene, node transforms
// applied. Vertices equal in every field are shared across subsets.
struct SceneGeometry {
    explicit SceneGeometry(XFileMesh& out)
        : vertices(out.vertices), indices(out.indices), attributes(out.attributes) {}

    std::vector<MeshVertex>& vertices;
    std::vector<uint32_t>& indices;
    std::vector<uint32_t>& attributes;
    std::unordered_map<VertexKey, uint32_t, VertexKeyHash> shared;

    uint32_t AddVertex(const MeshVertex& v) {
        auto [it, inserted] = shared.try_emplace(VertexKey{v}, static_cast<uint32_t>(vertices.size()));
        if (inserted) vertices.push_back(v);
        return it->second;
    }

    void AddMesh(const aiMesh& mesh, const aiMatrix4x4& transform) {
        aiMatrix3x3 normalTransform(transform);
        normalTransform.Inverse().Transpose();
        std::vector<uint32_t> map(mesh.mNumVertices);
        for (uint32_t i = 0; i < mesh.mNumVertices; ++i) {
            aiVector3D p = transform * mesh.mVertices[i];
            aiVector3D n = mesh.HasNormals() ? (normalTransform * mesh.mNormals[i]).NormalizeSafe() : aiVector3D();
            aiVector3D uv = mesh.HasTextureCoords(0) ? mesh.mTextureCoords[0][i] : aiVector3D();
            map[i] = AddVertex({p.x, p.y, p.z, n.x, n.y, n.z, uv.x, uv.y});
        }
        // Polygons become fans of triangles around their first corner; points
        // and lines are dropped.
        for (uint32_t f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            for (uint32_t k = 1; k + 1 < face.mNumIndices; ++k) {
                for (uint32_t corner : {0u, k, k + 1}) indices.push_back(map[face.mIndices[corner]]);
                attributes.push_back(mesh.mMaterialIndex);
            }
        }
    }

    void AddNode(const aiScene& scene, const aiNode& node, const aiMatrix4x4& parent) {
        aiMatrix4x4 transform = parent * node.mTransformation;
        for (uint32_t i = 0; i < node.mNumMeshes; ++i) AddMesh(*scene.mMeshes[node.mMeshes[i]], transform);
        for (uint32_t i = 0; i < node.mNumChildren; ++i) AddNode(scene, *node.mChildren[i], transform);
    }
};

D3DCOLORVALUE Colour(const aiMaterial& material, const char* key, unsigned type, unsigned index, float alpha) {
    aiColor4D c(0, 0, 0, alpha);
    if (material.Get(key, type, index, c) != AI_SUCCESS) return {0, 0, 0, alpha};
    return {c.r, c.g, c.b, c.a};
}

D3DMATERIAL9 ToMaterial(const aiMaterial& material) {
    D3DMATERIAL9 m{};
    m.Diffuse = Colour(material, AI_MATKEY_COLOR_DIFFUSE, 1.0f);
    m.Ambient = m.Diffuse;
    m.Specular = Colour(material, AI_MATKEY_COLOR_SPECULAR, 1.0f);
    m.Specular.a = 1.0f;
    m.Emissive = Colour(material, AI_MATKEY_COLOR_EMISSIVE, 1.0f);
    m.Emissive.a = 1.0f;
    float power = 0;
    if (material.Get(AI_MATKEY_SHININESS, power) == AI_SUCCESS) m.Power = power;
    return m;
}

bool EndsName(char c) {
    return c == '{' || c == '}' || c == ',' || c == ';' || std::isspace(static_cast<unsigned char>(c));
}

// The tokens of a text .x file as the importer splits it: runs of other
// characters (quotes included) between white space, ',' and ';', which are
// dropped, and '{' and '}'; a comment runs from a token's start to the end
// of its line.
std::vector<std::string_view> XTokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    size_t i = 16;  // after the header
    while (i < text.size()) {
        const char c = text[i];
        if (c == '#' || text.substr(i, 2) == "//") {
            i = std::min(text.find('\n', i), text.size());
        } else if (c == '{' || c == '}') {
            tokens.push_back(text.substr(i++, 1));
        } else if (std::isspace(static_cast<unsigned char>(c)) || c == ',' || c == ';') {
            ++i;
        } else {
            const size_t start = i;
            do ++i;
            while (i < text.size() && !EndsName(text[i]));
            tokens.push_back(text.substr(start, i - start));
        }
    }
    return tokens;
}

// The index just past the block that opens at tokens[i].
size_t SkipBlock(const std::vector<std::string_view>& tokens, size_t i) {
    for (int depth = 0; i < tokens.size(); ++i) {
        if (tokens[i] == "{") ++depth;
        if (tokens[i] == "}" && --depth == 0) return i + 1;
    }
    return tokens.size();
}

bool IsCount(std::string_view token, size_t& value) {
    if (token.empty() || token.size() > 9 || !std::all_of(token.begin(), token.end(), [](char c) {
            return c >= '0' && c <= '9';
        }))
        return false;
    value = std::stoul(std::string(token));
    return true;
}

// Whether a ',' stands between tokens[i - 1] and tokens[i] (all views into
// the same text).
bool CommaBefore(const std::vector<std::string_view>& tokens, size_t i) {
    if (i == 0 || i >= tokens.size()) return false;
    const char* gapStart = tokens[i - 1].data() + tokens[i - 1].size();
    return std::string_view(gapStart, size_t(tokens[i].data() - gapStart)).find(',') != std::string_view::npos;
}

// Walks a material list from just inside its '{' as the importer reads it:
// the material count, the face count and that many face indices, then
// children up to '}': {references} and objects "Type [name] { ... }", of
// which Material objects are materials. The importer reads a list without a
// material past its end, and a face naming a material past the last one
// into memory it does not own. Among the children it takes a ',' for an
// unknown object and skips past the list's end, losing its materials.
bool ListMaterialsSound(const std::vector<std::string_view>& tokens, size_t i) {
    size_t faces = 0, highest = 0;
    if (i + 1 >= tokens.size() || !IsCount(tokens[i + 1], faces) || faces > tokens.size()) return false;
    for (size_t f = 0; f < faces; ++f) {
        size_t index = 0;
        if (i + 2 + f >= tokens.size() || !IsCount(tokens[i + 2 + f], index)) return false;
        highest = std::max(highest, index);
    }
    size_t materials = 0;
    for (i += 2 + faces; i < tokens.size();) {
        if (CommaBefore(tokens, i)) return false;
        if (tokens[i] == "}") break;
        if (tokens[i] == "{") {
            ++materials;
        } else {
            materials += tokens[i] == "Material";
            if (++i < tokens.size() && tokens[i] != "{") ++i;  // the object's name
            if (i >= tokens.size() || tokens[i] != "{") return false;
        }
        i = SkipBlock(tokens, i);
    }
    return materials > highest;
}

// Walks a mesh, or its normals, from just inside its '{': the vertex count
// and three coordinates per vertex, the face count and per face its corner
// count and corners. A face of fewer than three corners, or a corner past the last
// vertex, stops the importer's later steps; a mesh of no faces crashes them.
bool MeshFacesSound(const std::vector<std::string_view>& tokens, size_t i) {
    size_t vertices = 0, faces = 0;
    if (i >= tokens.size() || !IsCount(tokens[i], vertices) || vertices > tokens.size()) return false;
    i += 1 + 3 * vertices;
    if (i >= tokens.size() || !IsCount(tokens[i++], faces) || faces == 0 || faces > tokens.size()) return false;
    for (size_t f = 0; f < faces; ++f) {
        size_t corners = 0, corner = 0;
        if (i >= tokens.size() || !IsCount(tokens[i++], corners) || corners < 3 || corners > tokens.size())
            return false;
        for (size_t c = 0; c < corners; ++c)
            if (i >= tokens.size() || !IsCount(tokens[i++], corner) || corner >= vertices) return false;
    }
    return true;
}

// A count at tokens[i] that the importer would allocate for: every element
// takes at least one token, so a count above the number of tokens is a lie.
bool CountHeld(const std::vector<std::string_view>& tokens, size_t i) {
    size_t count = 0;
    return i < tokens.size() && IsCount(tokens[i], count) && count <= tokens.size();
}

// Refuses text the importer is known to crash on, stop the program on, or
// allocate without bound for.
bool SafeToImport(std::string_view text) {
    const std::vector<std::string_view> tokens = XTokens(text);
    for (size_t i = 0; i < tokens.size(); ++i) {
        size_t body = i + 1;
        if (body < tokens.size() && tokens[body] != "{" && tokens[body] != "}") ++body;  // a name
        if (body >= tokens.size() || tokens[body] != "{") continue;  // not an object
        ++body;
        const std::string_view type = tokens[i];
        if (type == "MeshMaterialList" && !(CountHeld(tokens, body) && ListMaterialsSound(tokens, body))) return false;
        if ((type == "Mesh" || type == "MeshNormals") && !MeshFacesSound(tokens, body)) return false;
        if ((type == "MeshTextureCoords" || type == "MeshVertexColors") && !CountHeld(tokens, body)) return false;
        if (type == "AnimationKey" && !CountHeld(tokens, body + 1)) return false;
    }
    return true;
}

}  // namespace

std::optional<XFileMesh> ParseXFile(const uint8_t* bytes, size_t length) {
    if (!bytes || length < 16) return std::nullopt;
    // Only the text format is read: the checks above need the text. A text
    // file holds no NUL, and the importer's reading of one differs from ours.
    const std::string_view text(reinterpret_cast<const char*>(bytes), length);
    if (text.substr(0, 4) != "xof " || text.substr(8, 4) != "txt " || text.find('\0') != text.npos ||
        !SafeToImport(text))
        return std::nullopt;
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(
        bytes, length, aiProcess_ConvertToLeftHanded | aiProcess_JoinIdenticalVertices, "x");
    if (!scene || !scene->mRootNode) return std::nullopt;
    XFileMesh mesh;
    SceneGeometry geometry(mesh);
    geometry.AddNode(*scene, *scene->mRootNode, aiMatrix4x4());
    if (mesh.indices.empty()) return std::nullopt;
    for (uint32_t i = 0; i < scene->mNumMaterials; ++i) {
        const aiMaterial& material = *scene->mMaterials[i];
        mesh.materials.push_back(ToMaterial(material));
        aiString texture;
        bool textured = material.GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS;
        mesh.textureNames.push_back(textured ? texture.C_Str() : "");
    }
    return mesh;
}
