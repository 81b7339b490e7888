// CPU-side graphics resources. Every resource keeps its bytes in memory, so
// locks, collisions, bounds and texture-coordinate edits work with or without
// a GPU. A device uploads a resource when it first draws it and again after
// each unlock (the version counter tells it when).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3dtypes.h"
#include "platform/d3dx_math.h"

// A device's own copy of a resource (a GL texture, buffer, program...).
struct GpuResource {
    virtual ~GpuResource() = default;
};

class DeviceResource {
public:
    virtual ~DeviceResource() = default;
    // Never the same for two states of any resources in one program run.
    uint64_t Version() const { return version_; }
    void Touch() { version_ = NextVersion(); }

    // Filled and owned by the device that draws the resource.
    mutable std::unique_ptr<GpuResource> gpu;
    mutable uint64_t gpuVersion = 0;

private:
    static uint64_t NextVersion();
    uint64_t version_ = NextVersion();
};

struct D3DLOCKED_RECT {
    int Pitch = 0;
    void* pBits = nullptr;
};

struct D3DSURFACE_DESC {
    D3DFORMAT Format = D3DFMT_UNKNOWN;
    uint32_t Width = 0, Height = 0;
};

// A 2D texture with mip levels. Texels are stored per level in the texture's
// format (4 bytes for A8R8G8B8 / X8R8G8B8, 2 bytes for A4R4G4B4), rows top to
// bottom, pitch = width * bytes per texel.
class Texture : public DeviceResource {
public:
    Texture(uint32_t width, uint32_t height, uint32_t levels, D3DFORMAT format);

    uint32_t GetLevelCount() const { return static_cast<uint32_t>(levels_.size()); }
    D3DFORMAT Format() const { return format_; }
    HRESULT GetLevelDesc(uint32_t level, D3DSURFACE_DESC* desc) const;
    HRESULT LockRect(uint32_t level, D3DLOCKED_RECT* locked, uint32_t flags = 0);
    HRESULT UnlockRect(uint32_t level);

    uint32_t Width(uint32_t level = 0) const { return levels_[level].width; }
    uint32_t Height(uint32_t level = 0) const { return levels_[level].height; }
    const uint8_t* Bits(uint32_t level = 0) const;
    uint8_t* MutableBits(uint32_t level = 0);
    // A level the caller overwrites in full: it is not cleared first.
    uint8_t* OverwrittenBits(uint32_t level = 0);
    uint32_t BytesPerTexel() const;
    // The texel at (x, y) of a level as A8R8G8B8 (A4R4G4B4 expanded, X8R8G8B8 opaque).
    uint32_t TexelArgb(uint32_t level, uint32_t x, uint32_t y) const;
    // Levels 1.. from level 0 as it is now, by 2x2 box filtering. They are
    // made when first read (a texture never drawn never needs them), and
    // before level 0 can change.
    void GenerateMipLevels();

private:
    // A level's texels are allocated when first used: zeros unless the
    // caller overwrites them.
    struct Level {
        uint32_t width, height;
        std::unique_ptr<uint8_t[]> bits;
    };
    uint8_t* Storage(uint32_t level, bool cleared) const;
    void MakePendingLevels() const;

    D3DFORMAT format_;
    mutable std::vector<Level> levels_;
    mutable bool levelsPending_ = false;
};

// Vertex data of one fixed-function format.
class VertexBuffer : public DeviceResource {
public:
    // fvf 0 with an explicit stride holds vertices of a declaration.
    VertexBuffer(uint32_t bytes, uint32_t fvf, uint32_t stride = 0);
    uint32_t Size() const { return static_cast<uint32_t>(data_.size()); }
    uint32_t FVF() const { return fvf_; }
    uint32_t Stride() const { return stride_; }
    uint32_t VertexCount() const { return Stride() ? Size() / Stride() : 0; }
    HRESULT Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags = 0);
    HRESULT Unlock();
    const uint8_t* Data() const { return data_.data(); }
    uint8_t* MutableData() { return data_.data(); }

private:
    std::vector<uint8_t> data_;
    uint32_t fvf_;
    uint32_t stride_;
};

class IndexBuffer : public DeviceResource {
public:
    explicit IndexBuffer(std::vector<uint32_t> indices) : indices_(std::move(indices)) {}
    const std::vector<uint32_t>& Indices() const { return indices_; }
    std::vector<uint32_t>& MutableIndices() { return indices_; }

private:
    std::vector<uint32_t> indices_;
};

// Vertex layout of the engine's meshes and quads: 32 bytes (FVF_MESH).
struct MeshVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
static_assert(sizeof(MeshVertex) == 32);

// Screen-space text vertex: 28 bytes (FVF_SCREEN).
struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR color;
    float u, v;
};
static_assert(sizeof(ScreenVertex) == 28);

struct D3DXATTRIBUTERANGE {
    uint32_t AttribId = 0;
    uint32_t FaceStart = 0, FaceCount = 0;
    uint32_t VertexStart = 0, VertexCount = 0;
};

// Indexed triangle list with subsets (one per material), the stand-in for a
// D3DX mesh. Vertices use the MeshVertex layout; faces are index triples.
class D3DXMesh {
public:
    D3DXMesh(std::vector<MeshVertex> vertices, std::vector<uint32_t> indices,
             std::vector<uint32_t> faceAttributes);

    uint32_t GetNumVertices() const;
    uint32_t GetNumFaces() const;
    uint32_t GetFVF() const { return FVF_MESH; }
    uint32_t GetNumBytesPerVertex() const { return sizeof(MeshVertex); }

    // Vertex and index access. Unlocking the vertex buffer marks it for upload.
    MeshVertex* LockVertexBuffer();
    void UnlockVertexBuffer();
    const std::vector<MeshVertex>& Vertices() const { return vertices_; }
    const std::vector<uint32_t>& Indices() const { return indexBuffer_->Indices(); }
    const std::vector<uint32_t>& FaceAttributes() const { return faceAttributes_; }
    const std::vector<D3DXATTRIBUTERANGE>& AttributeTable() const { return attributes_; }

    // Sort faces by attribute and rebuild the attribute table (done at load).
    void SortByAttribute();
    // Reorder faces within each subset for vertex-cache locality and drop
    // unreferenced vertices.
    void OptimizeVertexCache();

    // Draw the faces of subset `attribId` with the device's current state.
    HRESULT DrawSubset(class Device& device, uint32_t attribId) const;

    const VertexBuffer& GetVertexBuffer() const { return *vertexBuffer_; }
    const IndexBuffer& GetIndexBuffer() const { return *indexBuffer_; }

private:
    void SyncVertexBuffer();
    std::vector<MeshVertex> vertices_;
    std::vector<uint32_t> faceAttributes_;
    std::vector<D3DXATTRIBUTERANGE> attributes_;
    std::unique_ptr<VertexBuffer> vertexBuffer_;
    std::unique_ptr<IndexBuffer> indexBuffer_;
};

// A vertex shader compiled by a device from source text.
class VertexShader : public DeviceResource {
public:
    explicit VertexShader(std::string source) : source_(std::move(source)) {}
    const std::string& Source() const { return source_; }

private:
    std::string source_;
};

// Input layout of a shader-driven draw: the elements of one vertex in order.
enum class DeclType { Float3 };
enum class DeclUsage { Position, Normal };
struct VertexElement {
    uint16_t offset;
    DeclType type;
    DeclUsage usage;
    uint8_t usageIndex;
};

class VertexDeclaration : public DeviceResource {
public:
    explicit VertexDeclaration(std::vector<VertexElement> elements) : elements_(std::move(elements)) {}
    const std::vector<VertexElement>& Elements() const { return elements_; }
    uint32_t Stride() const;

private:
    std::vector<VertexElement> elements_;
};
