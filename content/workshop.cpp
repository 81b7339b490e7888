#include "workshop.h"

#include <stdexcept>

#include "names.h"

namespace content {

void Workshop::AddFile(const std::string& name, Bytes bytes) {
    if (name.size() > 39) throw std::logic_error("library name too long: " + name);
    if (!files.emplace(name, std::move(bytes)).second) throw std::logic_error("library name made twice: " + name);
}

void Workshop::AddTexture(const std::string& file, const Image& picture) {
    AddFile(TextureEntry(file), contentgen::EncodeJpeg(picture, 90));
    textures.emplace(file, picture);
}

void Workshop::AddMesh(const std::string& name, const Mesh& mesh) {
    std::string frame = name.substr(0, name.find('.'));
    std::string text = contentgen::WriteXFile(mesh, frame);
    AddFile(name, Bytes(text.begin(), text.end()));
    meshes.emplace(name, mesh);
}

contentgen::TextureLookup Workshop::Textures() const {
    return [this](const std::string& file) -> const Image* {
        auto it = textures.find(file);
        return it == textures.end() ? nullptr : &it->second;
    };
}

}  // namespace content
