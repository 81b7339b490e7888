#include "platform/files.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::vector<char>> ReadWholeFile(const std::string& path, size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::optional<std::vector<char>> bytes;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && uint64_t(st.st_size) <= maxBytes) {
        bytes.emplace();
        char chunk[65536];
        for (;;) {
            const ssize_t got = ::read(fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0 || bytes->size() + size_t(got) > maxBytes) {
                bytes.reset();
                break;
            }
            if (got == 0) break;
            bytes->insert(bytes->end(), chunk, chunk + got);
        }
    }
    ::close(fd);
    return bytes;
}

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string JoinPosix(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

bool MakeDirectories(const std::string& path) {
    if (path.empty()) return false;
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    std::string parent = DirectoryOf(path);
    if (parent != path && parent != "." && parent != "/") MakeDirectories(parent);
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd, bytes, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

namespace {

void SetError(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
}

}  // namespace

bool AtomicWriteFile(const std::string& path, const std::string& bytes, std::string* error) {
    return AtomicWriteFileWith(path, [&bytes, &path](int fd, std::string* writeError) {
        if (WriteAll(fd, bytes.data(), bytes.size())) return true;
        SetError(writeError, "cannot write " + path);
        return false;
    }, error);
}

bool AtomicWriteFileWith(const std::string& path, const FileWriter& write, std::string* error, unsigned mode) {
    std::string folder = DirectoryOf(path);
    std::string tmpl = JoinPosix(folder, "." + path.substr(path.find_last_of('/') + 1) + ".XXXXXX");
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        SetError(error, "cannot create a temporary file in " + folder);
        return false;
    }
    bool ok = write(fd, error);
    if (ok && ::fchmod(fd, mode) != 0) ok = false, SetError(error, "cannot set permissions");
    if (ok && ::fsync(fd) != 0) ok = false, SetError(error, "cannot flush " + std::string(name.data()));
    if (::close(fd) != 0 && ok) ok = false, SetError(error, "cannot close " + std::string(name.data()));
    if (ok && ::rename(name.data(), path.c_str()) != 0) ok = false, SetError(error, "cannot replace " + path);
    if (!ok) {
        ::unlink(name.data());
        return false;
    }
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
#ifdef __EMSCRIPTEN__
    // The page writes its saved files back to the browser's storage.
    EM_ASM({ if (Module['rockpileFilesSaved']) Module['rockpileFilesSaved'](); });
#endif
    return true;
}

std::string ProgramDirectory() {
    char buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (n <= 0) return {};
    buffer[n] = '\0';
    return DirectoryOf(buffer);
}

namespace {

// $HOME, else the account's home folder: never a folder other users share.
std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home == '/') return home;
    const passwd* account = ::getpwuid(::getuid());
    return account && account->pw_dir && *account->pw_dir == '/' ? account->pw_dir : "/";
}

}  // namespace

std::string ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/') return xdg;
    return JoinPosix(HomeFolder(), ".config");
}

std::string PicturesDirectory() {
    const char* xdg = std::getenv("XDG_PICTURES_DIR");
    if (xdg && *xdg == '/') return xdg;
    return JoinPosix(HomeFolder(), "Pictures");
}
