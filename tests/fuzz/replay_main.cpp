// Runs a fuzz target without libFuzzer: every file named on the command
// line, or found in a folder named there, goes through the target once.
// Fails when no input was found, so a lost corpus does not pass unnoticed.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

std::vector<std::filesystem::path> Inputs(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        fs::path path = argv[i];
        if (fs::is_directory(path)) {
            for (const auto& entry : fs::recursive_directory_iterator(path))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else if (fs::is_regular_file(path)) {
            files.push_back(path);
        }
    }
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    int count = 0;
    for (const auto& path : Inputs(argc, argv)) {
        std::ifstream in(path, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // An exact-size heap copy, so reads past the end are caught by the sanitizers.
        auto* copy = new uint8_t[bytes.size()];
        std::copy(bytes.begin(), bytes.end(), copy);
        std::fprintf(stderr, "input %s (%zu bytes)\n", path.c_str(), bytes.size());
        LLVMFuzzerTestOneInput(copy, bytes.size());
        delete[] copy;
        ++count;
    }
    std::fprintf(stderr, "%d inputs run\n", count);
    return count > 0 ? 0 : 1;
}
