#include "gamelib/memmapfile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

TMemMapFile::~TMemMapFile() { Close(); }

bool TMemMapFile::Open(const char* path) {
    Close();
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        failure = std::strerror(errno);
        return false;
    }
    struct stat st;
    const bool stated = ::fstat(fd, &st) == 0;
    if (!stated || !S_ISREG(st.st_mode)) {
        failure = !stated ? std::strerror(errno) : S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "Not a regular file";
        ::close(fd);
        return false;
    }
    fileHandle = fd;
    fileSize = static_cast<uint64_t>(st.st_size);
    isOpen = 1;
    return true;
}

bool TMemMapFile::Map() {
    if (!isOpen) return false;
    Unmap();
    if (fileSize > 0) {
        void* mapped = ::mmap(nullptr, fileSize, PROT_READ, MAP_PRIVATE, fileHandle, 0);
        if (mapped == MAP_FAILED) {
            failure = std::strerror(errno);
            return false;
        }
        view = static_cast<const uint8_t*>(mapped);
    }
    isMapped = 1;
    return true;
}

void TMemMapFile::Unmap() {
    if (!isMapped) return;
    if (view) ::munmap(const_cast<uint8_t*>(view), fileSize);
    view = nullptr;
    isMapped = 0;
}

void TMemMapFile::Close() {
    Unmap();
    if (!isOpen) return;
    ::close(fileHandle);
    fileHandle = -1;
    isOpen = 0;
}
