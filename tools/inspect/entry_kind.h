// What a library entry or file holds, by its name's extension, else by its
// first bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class EntryKind { Mesh, Picture, Wav, Unknown };

EntryKind KindOfEntry(const std::string& name, const uint8_t* bytes, size_t length);

inline EntryKind KindOfEntry(const std::string& name, const std::vector<uint8_t>& bytes) {
    return KindOfEntry(name, bytes.data(), bytes.size());
}
