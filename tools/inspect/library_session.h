// Makes a game library (and a texture manager on a device) the current ones
// for the duration of a command, restoring the previous ones afterwards.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "gamelib/libman.h"
#include "gamelib/texman.h"

class LibrarySession {
public:
    LibrarySession(TGameLib& lib, bool packed) : previousLib_(theGameLib), previousMode_(useGameLib) {
        useGameLib = packed ? 1 : 0;
        theGameLib = &lib;
    }
    ~LibrarySession() {
        theGameLib = previousLib_;
        useGameLib = previousMode_;
    }
    LibrarySession(const LibrarySession&) = delete;
    LibrarySession& operator=(const LibrarySession&) = delete;

private:
    TGameLib* previousLib_;
    int32_t previousMode_;
};

// Opens the library named path, or says on err why it cannot.
inline bool OpenOrReport(TGameLib& lib, const std::string& path, std::ostream& err) {
    std::string problem;
    if (lib.TryOpen(&problem)) return true;
    err << path << ": " << problem << "\n";
    return false;
}

// Textures named by meshes load from "textures\" of the current library
// while one of these lives.
class TextureSession {
public:
    explicit TextureSession(Device* device) : textures_(device, "textures"), previous_(theTextureManager) {
        theTextureManager = &textures_;
    }
    ~TextureSession() { theTextureManager = previous_; }
    TextureSession(const TextureSession&) = delete;
    TextureSession& operator=(const TextureSession&) = delete;

private:
    TTextureManager textures_;
    TTextureManager* previous_;
};
