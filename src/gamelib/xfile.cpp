#include "gamelib/xfile.h"

#include "gamelib/xfile_text.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

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

}  // namespace

std::optional<XFileMesh> ParseXFile(const uint8_t* bytes, size_t length, std::string* why) {
    auto refuse = [why](const std::string& reason) -> std::optional<XFileMesh> {
        if (why) *why = reason;
        return std::nullopt;
    };
    if (!bytes) return refuse("no bytes");
    // The importer sees only text we have read strictly and written again:
    // its own reading of damaged files crashed, aborted or asked for
    // gigabytes.
    const std::optional<std::string> text =
        CanonicalXFileText(std::string_view(reinterpret_cast<const char*>(bytes), length), why);
    if (!text) return std::nullopt;
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(
        text->data(), text->size(), aiProcess_ConvertToLeftHanded | aiProcess_JoinIdenticalVertices, "x");
    if (!scene || !scene->mRootNode) return refuse(std::string("the importer refused it: ") + importer.GetErrorString());
    XFileMesh mesh;
    SceneGeometry geometry(mesh);
    geometry.AddNode(*scene, *scene->mRootNode, aiMatrix4x4());
    if (mesh.indices.empty()) return refuse("it holds no triangles");
    for (uint32_t i = 0; i < scene->mNumMaterials; ++i) {
        const aiMaterial& material = *scene->mMaterials[i];
        mesh.materials.push_back(ToMaterial(material));
        aiString texture;
        bool textured = material.GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS;
        mesh.textureNames.push_back(textured ? texture.C_Str() : "");
    }
    return mesh;
}
