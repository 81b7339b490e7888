#include "gamelib/memmapfile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

TMemMapFile::~TMemMapFile() { Close(); }

bool TMemMapFile::Open(const char* path) {
    Close();
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
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
        if (mapped == MAP_FAILED) return false;
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
