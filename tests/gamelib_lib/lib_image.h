// Game library files for tests, laid out byte by byte independently of the
// reader, with hooks to damage them.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace libtest {

constexpr size_t kTableBytes = 61444;
constexpr size_t kCountAt = 61440;

struct Resource {
    std::string name;
    std::string bytes;
};

inline void PutU32(std::vector<uint8_t>& image, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) image[at + i] = uint8_t(value >> (8 * i));
}

// The table (with junk in the words the reader must ignore), then each
// resource's bytes in order.
inline std::vector<uint8_t> MakeImage(const std::vector<Resource>& resources) {
    std::vector<uint8_t> image(kTableBytes, 0);
    for (size_t i = 0; i < resources.size(); ++i) {
        size_t record = i * 60;
        std::memcpy(&image[record], resources[i].name.data(), std::min<size_t>(resources[i].name.size(), 40));
        PutU32(image, record + 40, uint32_t(image.size()));
        PutU32(image, record + 44, 0xDEADBEEF);
        PutU32(image, record + 48, uint32_t(resources[i].bytes.size()));
        PutU32(image, record + 52, 0x12345678);
        PutU32(image, record + 56, 1);
        image.insert(image.end(), resources[i].bytes.begin(), resources[i].bytes.end());
    }
    PutU32(image, kCountAt, uint32_t(resources.size()));
    return image;
}

// A folder removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/rockpile-lib-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    const std::string& path() const { return path_; }
    std::string Write(const std::string& name, const void* data, size_t size) const {
        std::string file = path_ + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        std::ofstream(file, std::ios::binary).write(static_cast<const char*>(data), std::streamsize(size));
        return file;
    }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        return Write(name, bytes.data(), bytes.size());
    }
    std::string Write(const std::string& name, const std::string& text) const {
        return Write(name, text.data(), text.size());
    }

private:
    std::string path_;
};

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// `text` as a POSIX extended regular expression matching exactly it.
inline std::string RegexLiteral(const std::string& text) {
    std::string regex;
    for (char c : text) {
        if (std::strchr(".[]{}()\\*+?^$|", c)) regex += '\\';
        regex += c;
    }
    return regex;
}

// The library defects the reader must refuse, each paired with the words
// its message names.
struct Damage {
    const char* what;
    std::string message;  // a part of the message naming the problem
    std::vector<uint8_t> image;
};

inline std::vector<Damage> DamagedLibraries() {
    std::vector<Resource> two = {{"a.txt", "alpha"}, {"b.txt", "bravo"}};
    std::vector<Damage> cases;
    std::vector<uint8_t> image = MakeImage(two);
    image.resize(kTableBytes - 1);
    cases.push_back({"shorter than the table", "61443 bytes, shorter than its 61444-byte table", image});
    image = MakeImage(two);
    PutU32(image, kCountAt, uint32_t(-1));
    cases.push_back({"negative entry count", "counts -1 entries", image});
    image = MakeImage(two);
    PutU32(image, kCountAt, 1025);
    cases.push_back({"entry count above 1024", "counts 1025 entries", image});
    image = MakeImage(two);
    PutU32(image, 60 + 48, 6);  // b.txt one byte longer than the file
    cases.push_back({"entry past the end", "entry 1 (\"b.txt\") runs past the end", image});
    image = MakeImage(two);
    PutU32(image, 40, 0xFFFFFFF0);  // offset + length wraps in 32 bits
    cases.push_back({"offset wrapping around", "entry 0 (\"a.txt\") runs past the end", image});
    image = MakeImage(two);
    std::memset(&image[60], 'x', 40);
    cases.push_back({"name without NUL", "entry 1 has a name with no terminating NUL", image});
    return cases;
}

}  // namespace libtest
