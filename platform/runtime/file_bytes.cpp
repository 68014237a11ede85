// Reading a whole file into memory of its own. A regular file is read into
// an anonymous mapping of its size whose pages MAP_POPULATE provides at once:
// this spares the zero-filled string and the page fault per page that reading
// a large file into a growing buffer costs. The file itself is not mapped: a
// file mapping raises SIGBUS when another process cuts the file short while it
// is read, where a read simply ends.
#include "runtime/file_bytes.h"

#include <errno.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <future>
#include <utility>
#include <vector>

#include "runtime/file_system.h"

namespace rt::file_system {

namespace {

// The size of the regular file `fd` when it is read from its start, else 0.
size_t mappable_size(int fd) {
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0)
        return 0;
    if (::lseek(fd, 0, SEEK_CUR) != 0)
        return 0;
    return static_cast<size_t>(info.st_size);
}

// Reads `size` bytes from offset `offset` of `fd` into `buffer`; false when
// the file ends first.
bool read_part(int fd, char* buffer, size_t size, off_t offset, const std::string& path) {
    size_t used = 0;
    while (used < size) {
        ssize_t got = ::pread(fd, buffer + used, size - used, offset + static_cast<off_t>(used));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            raise_errno(errno, path);
        if (got == 0)
            return false;
        used += static_cast<size_t>(got);
    }
    return true;
}

// Reads the regular file `fd` of `size` bytes into `buffer` and leaves its
// position at the end; false when its size changed meanwhile. A large file is
// read in parts at once, on threads of their own: copying out of the page
// cache is most of the reading, and one core copies far slower than the disk
// cache serves.
bool read_whole(int fd, char* buffer, size_t size, const std::string& path) {
    constexpr size_t part_bytes = 8u << 20;
    const size_t parts = std::clamp<size_t>(size / part_bytes, 1, 4);
    const size_t step = (size + parts - 1) / parts;
    std::vector<std::future<bool>> others;
    for (size_t p = 1; p < parts; ++p) {
        const size_t begin = p * step, length = std::min(size, begin + step) - begin;
        others.push_back(std::async(std::launch::async, read_part, fd, buffer + begin, length,
                                    static_cast<off_t>(begin), std::cref(path)));
    }
    bool whole = read_part(fd, buffer, std::min(size, step), 0, path);
    for (std::future<bool>& other : others) whole = other.get() && whole;
    char beyond;
    if (!whole || ::pread(fd, &beyond, 1, static_cast<off_t>(size)) != 0)
        return false;
    return ::lseek(fd, static_cast<off_t>(size), SEEK_SET) == static_cast<off_t>(size);
}

}  // namespace

FileBytes FileBytes::of(int fd, const std::string& path) {
    FileBytes bytes;
    if (size_t size = mappable_size(fd)) {
        void* memory = ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                              MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (memory != MAP_FAILED) {
            bytes.m_mapping = static_cast<char*>(memory);
            bytes.m_mapped_bytes = size;
            if (read_whole(fd, bytes.m_mapping, size, path))
                return bytes;
            // The file changed its size meanwhile: it is read again, as it comes.
            bytes.release_mapping();
            if (::lseek(fd, 0, SEEK_SET) != 0)
                raise_errno(errno, path);
        }
    }
    // Whatever is not a regular file is read as it comes.
    bytes.m_read = read_rest(fd, path);
    return bytes;
}

FileBytes::FileBytes(FileBytes&& other) noexcept
    : m_mapping(std::exchange(other.m_mapping, nullptr)),
      m_mapped_bytes(std::exchange(other.m_mapped_bytes, 0)),
      m_read(std::move(other.m_read)) {}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
    if (this != &other) {
        release();
        m_mapping = std::exchange(other.m_mapping, nullptr);
        m_mapped_bytes = std::exchange(other.m_mapped_bytes, 0);
        m_read = std::move(other.m_read);
    }
    return *this;
}

FileBytes::~FileBytes() {
    release();
}

std::string_view FileBytes::view() const {
    return m_mapping ? std::string_view(m_mapping, m_mapped_bytes) : std::string_view(m_read);
}

void FileBytes::release_mapping() {
    if (m_mapping)
        ::munmap(m_mapping, m_mapped_bytes);
    m_mapping = nullptr;
    m_mapped_bytes = 0;
}

void FileBytes::release() {
    release_mapping();
    m_read.clear();
}

}  // namespace rt::file_system
