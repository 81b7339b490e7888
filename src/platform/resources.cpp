#include "platform/resources.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <numeric>

#include "platform/device.h"

uint64_t DeviceResource::NextVersion() {
    static std::atomic<uint64_t> next{1};
    return next++;
}

uint32_t D3DXGetFVFVertexSize(uint32_t fvf) {
    uint32_t size = 0;
    if (fvf & D3DFVF_XYZ) size += 12;
    if (fvf & D3DFVF_XYZRHW) size += 16;
    if (fvf & D3DFVF_NORMAL) size += 12;
    if (fvf & D3DFVF_DIFFUSE) size += 4;
    if (fvf & D3DFVF_TEX1) size += 8;
    return size;
}

// ---- Texture -------------------------------------------------------------

Texture::Texture(uint32_t width, uint32_t height, uint32_t levels, D3DFORMAT format) : format_(format) {
    width = std::max(width, 1u);
    height = std::max(height, 1u);
    if (levels == 0) {  // full chain
        levels = 1;
        for (uint32_t w = width, h = height; w > 1 || h > 1; w = std::max(w / 2, 1u), h = std::max(h / 2, 1u))
            ++levels;
    }
    uint32_t w = width, h = height;
    for (uint32_t i = 0; i < levels; ++i) {
        levels_.push_back({w, h, nullptr});
        w = std::max(w / 2, 1u);
        h = std::max(h / 2, 1u);
    }
}

uint32_t Texture::BytesPerTexel() const { return format_ == D3DFMT_A4R4G4B4 ? 2 : 4; }

uint8_t* Texture::Storage(uint32_t level, bool cleared) const {
    Level& l = levels_[level];
    if (!l.bits) {
        const size_t bytes = size_t(l.width) * l.height * BytesPerTexel();
        l.bits.reset(cleared ? new uint8_t[bytes]() : new uint8_t[bytes]);
    }
    return l.bits.get();
}

const uint8_t* Texture::Bits(uint32_t level) const {
    if (level > 0) MakePendingLevels();
    return Storage(level, true);
}

uint8_t* Texture::MutableBits(uint32_t level) {
    MakePendingLevels();
    return Storage(level, true);
}

uint8_t* Texture::OverwrittenBits(uint32_t level) {
    MakePendingLevels();
    return Storage(level, false);
}

HRESULT Texture::GetLevelDesc(uint32_t level, D3DSURFACE_DESC* desc) const {
    if (level >= levels_.size() || !desc) return D3DERR_INVALIDCALL;
    desc->Format = format_;
    desc->Width = levels_[level].width;
    desc->Height = levels_[level].height;
    return D3D_OK;
}

HRESULT Texture::LockRect(uint32_t level, D3DLOCKED_RECT* locked, uint32_t) {
    if (level >= levels_.size() || !locked) return D3DERR_INVALIDCALL;
    locked->Pitch = static_cast<int>(levels_[level].width * BytesPerTexel());
    locked->pBits = MutableBits(level);
    return D3D_OK;
}

HRESULT Texture::UnlockRect(uint32_t level) {
    if (level >= levels_.size()) return D3DERR_INVALIDCALL;
    Touch();
    return D3D_OK;
}

uint32_t Texture::TexelArgb(uint32_t level, uint32_t x, uint32_t y) const {
    const uint8_t* bits = Bits(level);
    size_t i = size_t(y) * levels_[level].width + x;
    if (format_ == D3DFMT_A4R4G4B4) {
        uint16_t t;
        std::memcpy(&t, &bits[i * 2], 2);
        uint32_t a = (t >> 12) & 0xF, r = (t >> 8) & 0xF, g = (t >> 4) & 0xF, b = t & 0xF;
        return (a * 17) << 24 | (r * 17) << 16 | (g * 17) << 8 | (b * 17);
    }
    uint32_t t;
    std::memcpy(&t, &bits[i * 4], 4);
    return format_ == D3DFMT_X8R8G8B8 ? (t | 0xFF000000u) : t;
}

void Texture::GenerateMipLevels() {
    if (BytesPerTexel() != 4) return;
    MakePendingLevels();  // a chain asked for earlier is made from the level 0 it saw
    levelsPending_ = levels_.size() > 1;
    Touch();
}

void Texture::MakePendingLevels() const {
    if (!levelsPending_) return;
    levelsPending_ = false;
    for (size_t i = 1; i < levels_.size(); ++i) {
        const Level& src = levels_[i - 1];
        const uint8_t* from = Storage(uint32_t(i - 1), true);
        uint8_t* to = Storage(uint32_t(i), false);
        const Level& dst = levels_[i];
        for (uint32_t y = 0; y < dst.height; ++y)
            for (uint32_t x = 0; x < dst.width; ++x) {
                uint32_t sum[4] = {0, 0, 0, 0};
                for (uint32_t dy = 0; dy < 2; ++dy)
                    for (uint32_t dx = 0; dx < 2; ++dx) {
                        uint32_t sx = std::min(x * 2 + dx, src.width - 1), sy = std::min(y * 2 + dy, src.height - 1);
                        const uint8_t* p = &from[(size_t(sy) * src.width + sx) * 4];
                        for (int c = 0; c < 4; ++c) sum[c] += p[c];
                    }
                uint8_t* q = &to[(size_t(y) * dst.width + x) * 4];
                for (int c = 0; c < 4; ++c) q[c] = static_cast<uint8_t>(sum[c] / 4);
            }
    }
}

// ---- Buffers --------------------------------------------------------------

VertexBuffer::VertexBuffer(uint32_t bytes, uint32_t fvf, uint32_t stride)
    : data_(bytes), fvf_(fvf), stride_(stride ? stride : D3DXGetFVFVertexSize(fvf)) {}

HRESULT VertexBuffer::Lock(uint32_t offset, uint32_t size, void** data, uint32_t) {
    if (!data || offset > data_.size() || (size && offset + size > data_.size())) return D3DERR_INVALIDCALL;
    *data = data_.data() + offset;
    return D3D_OK;
}

HRESULT VertexBuffer::Unlock() {
    Touch();
    return D3D_OK;
}

uint32_t VertexDeclaration::Stride() const {
    uint32_t stride = 0;
    for (const VertexElement& e : elements_) stride = std::max<uint32_t>(stride, e.offset + 12u);
    return stride;
}

// ---- D3DXMesh -------------------------------------------------------------

D3DXMesh::D3DXMesh(std::vector<MeshVertex> vertices, std::vector<uint32_t> indices,
                   std::vector<uint32_t> faceAttributes)
    : vertices_(std::move(vertices)), faceAttributes_(std::move(faceAttributes)) {
    faceAttributes_.resize(indices.size() / 3, 0);
    indices.resize(faceAttributes_.size() * 3);
    indexBuffer_ = std::make_unique<IndexBuffer>(std::move(indices));
    SyncVertexBuffer();
    SortByAttribute();
}

uint32_t D3DXMesh::GetNumVertices() const { return static_cast<uint32_t>(vertices_.size()); }
uint32_t D3DXMesh::GetNumFaces() const { return static_cast<uint32_t>(faceAttributes_.size()); }

MeshVertex* D3DXMesh::LockVertexBuffer() { return vertices_.data(); }

void D3DXMesh::UnlockVertexBuffer() { SyncVertexBuffer(); }

void D3DXMesh::SyncVertexBuffer() {
    uint32_t bytes = static_cast<uint32_t>(vertices_.size() * sizeof(MeshVertex));
    if (!vertexBuffer_ || vertexBuffer_->Size() != bytes) vertexBuffer_ = std::make_unique<VertexBuffer>(bytes, FVF_MESH);
    if (bytes) std::memcpy(vertexBuffer_->MutableData(), vertices_.data(), bytes);
    vertexBuffer_->Touch();
}

void D3DXMesh::SortByAttribute() {
    const std::vector<uint32_t>& idx = indexBuffer_->Indices();
    uint32_t faces = GetNumFaces();
    std::vector<uint32_t> order(faces);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return faceAttributes_[a] < faceAttributes_[b]; });
    std::vector<uint32_t> sortedIdx(idx.size()), sortedAttr(faces);
    for (uint32_t f = 0; f < faces; ++f) {
        sortedAttr[f] = faceAttributes_[order[f]];
        for (int k = 0; k < 3; ++k) sortedIdx[f * 3 + k] = idx[order[f] * 3 + k];
    }
    faceAttributes_ = std::move(sortedAttr);
    indexBuffer_->MutableIndices() = std::move(sortedIdx);
    indexBuffer_->Touch();

    attributes_.clear();
    const std::vector<uint32_t>& si = indexBuffer_->Indices();
    for (uint32_t f = 0; f < faces; ++f) {
        if (attributes_.empty() || attributes_.back().AttribId != faceAttributes_[f]) {
            D3DXATTRIBUTERANGE r;
            r.AttribId = faceAttributes_[f];
            r.FaceStart = f;
            r.VertexStart = UINT32_MAX;
            attributes_.push_back(r);
        }
        D3DXATTRIBUTERANGE& r = attributes_.back();
        ++r.FaceCount;
        for (int k = 0; k < 3; ++k) {
            uint32_t v = si[f * 3 + k];
            uint32_t end = r.VertexStart == UINT32_MAX ? v + 1 : std::max(r.VertexStart + r.VertexCount, v + 1);
            r.VertexStart = r.VertexStart == UINT32_MAX ? v : std::min(r.VertexStart, v);
            r.VertexCount = end - r.VertexStart;
        }
    }
}

void D3DXMesh::OptimizeVertexCache() {
    // Greedy reorder within each subset: the next face is the unused one that
    // shares the most vertices with a small FIFO of recently used vertices,
    // searched only among the faces around the cached vertices; when none is
    // left there, the next unused face in order.
    std::vector<uint32_t>& idx = indexBuffer_->MutableIndices();
    constexpr size_t kCache = 16;
    std::vector<std::vector<uint32_t>> facesOf(vertices_.size());
    for (const D3DXATTRIBUTERANGE& r : attributes_) {
        for (uint32_t f = 0; f < r.FaceCount; ++f)
            for (int k = 0; k < 3; ++k) facesOf[idx[(r.FaceStart + f) * 3 + k]].push_back(f);
        std::vector<bool> used(r.FaceCount, false);
        std::vector<uint32_t> out;
        out.reserve(r.FaceCount * 3);
        std::vector<uint32_t> cache;
        uint32_t nextInOrder = 0;
        auto inCache = [&](uint32_t v) { return std::find(cache.begin(), cache.end(), v) != cache.end(); };
        for (uint32_t n = 0; n < r.FaceCount; ++n) {
            int best = -1, bestScore = -1;
            for (uint32_t v : cache)
                for (uint32_t f : facesOf[v]) {
                    if (used[f]) continue;
                    int score = 0;
                    for (int k = 0; k < 3; ++k) score += inCache(idx[(r.FaceStart + f) * 3 + k]);
                    if (score > bestScore || (score == bestScore && static_cast<int>(f) < best))
                        bestScore = score, best = static_cast<int>(f);
                }
            if (best < 0) {
                while (used[nextInOrder]) ++nextInOrder;
                best = static_cast<int>(nextInOrder);
            }
            used[best] = true;
            for (int k = 0; k < 3; ++k) {
                uint32_t v = idx[(r.FaceStart + best) * 3 + k];
                out.push_back(v);
                auto it = std::find(cache.begin(), cache.end(), v);
                if (it != cache.end()) cache.erase(it);
                cache.insert(cache.begin(), v);
                if (cache.size() > kCache) cache.pop_back();
            }
        }
        std::copy(out.begin(), out.end(), idx.begin() + r.FaceStart * 3);
        for (uint32_t f = 0; f < r.FaceCount; ++f)
            for (int k = 0; k < 3; ++k) facesOf[out[f * 3 + k]].clear();
    }
    // Compact: renumber vertices in first-use order, dropping unused ones.
    std::vector<uint32_t> remap(vertices_.size(), UINT32_MAX);
    std::vector<MeshVertex> compact;
    compact.reserve(vertices_.size());
    for (uint32_t& i : idx) {
        if (remap[i] == UINT32_MAX) {
            remap[i] = static_cast<uint32_t>(compact.size());
            compact.push_back(vertices_[i]);
        }
        i = remap[i];
    }
    vertices_ = std::move(compact);
    indexBuffer_->Touch();
    SyncVertexBuffer();
    SortByAttribute();
}

HRESULT D3DXMesh::DrawSubset(Device& device, uint32_t attribId) const {
    for (const D3DXATTRIBUTERANGE& r : attributes_)
        if (r.AttribId == attribId && r.FaceCount)
            return device.DrawIndexedPrimitive(D3DPT_TRIANGLELIST, *vertexBuffer_, *indexBuffer_, r.FaceStart * 3,
                                               r.FaceCount);
    return D3D_OK;
}
