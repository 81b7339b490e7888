#include "entry_kind.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

bool EndsWith(const std::string& s, const char* suffix) {
    size_t n = std::strlen(suffix);
    return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

}  // namespace

EntryKind KindOfEntry(const std::string& name, const uint8_t* bytes, size_t length) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (EndsWith(lower, ".x")) return EntryKind::Mesh;
    if (EndsWith(lower, ".jpg") || EndsWith(lower, ".jpeg") || EndsWith(lower, ".bmp")) return EntryKind::Picture;
    if (EndsWith(lower, ".wav")) return EntryKind::Wav;
    auto starts = [&](const char* tag) {
        return length >= std::strlen(tag) && std::memcmp(bytes, tag, std::strlen(tag)) == 0;
    };
    if (starts("xof ")) return EntryKind::Mesh;
    if (starts("\xFF\xD8") || starts("BM")) return EntryKind::Picture;
    if (starts("RIFF")) return EntryKind::Wav;
    return EntryKind::Unknown;
}
