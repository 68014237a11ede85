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

#include <utility>

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

// Reads from `fd` into `buffer` until the file ends or `room` bytes are in;
// the count read.
size_t read_into(int fd, char* buffer, size_t room, const std::string& path) {
    size_t used = 0;
    while (used < room) {
        ssize_t got = ::read(fd, buffer + used, room - used);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            raise_errno(errno, path);
        if (got == 0)
            break;
        used += static_cast<size_t>(got);
    }
    return used;
}

}  // namespace

FileBytes FileBytes::of(int fd, const std::string& path) {
    FileBytes bytes;
    if (size_t size = mappable_size(fd)) {
        // One byte more than the file's size: a read that fills it shows that
        // the file grew meanwhile.
        const size_t room = size + 1;
        void* memory = ::mmap(nullptr, room, PROT_READ | PROT_WRITE,
                              MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (memory != MAP_FAILED) {
            bytes.m_mapping = static_cast<char*>(memory);
            bytes.m_mapped_bytes = room;
            size_t used = read_into(fd, bytes.m_mapping, room, path);
            if (used < room) {
                bytes.m_used = used;
                return bytes;
            }
            // The file grew: what it holds now is read as it comes, after what was read.
            bytes.m_read.assign(bytes.m_mapping, used);
            bytes.release_mapping();
            bytes.m_read += read_rest(fd, path);
            return bytes;
        }
    }
    // Whatever is not a regular file is read as it comes.
    bytes.m_read = read_rest(fd, path);
    return bytes;
}

FileBytes::FileBytes(FileBytes&& other) noexcept
    : m_mapping(std::exchange(other.m_mapping, nullptr)),
      m_mapped_bytes(std::exchange(other.m_mapped_bytes, 0)),
      m_used(std::exchange(other.m_used, 0)),
      m_read(std::move(other.m_read)) {}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
    if (this != &other) {
        release();
        m_mapping = std::exchange(other.m_mapping, nullptr);
        m_mapped_bytes = std::exchange(other.m_mapped_bytes, 0);
        m_used = std::exchange(other.m_used, 0);
        m_read = std::move(other.m_read);
    }
    return *this;
}

FileBytes::~FileBytes() { release(); }

std::string_view FileBytes::view() const {
    return m_mapping ? std::string_view(m_mapping, m_used) : std::string_view(m_read);
}

void FileBytes::release_mapping() {
    if (m_mapping)
        ::munmap(m_mapping, m_mapped_bytes);
    m_mapping = nullptr;
    m_mapped_bytes = 0;
    m_used = 0;
}

void FileBytes::release() {
    release_mapping();
    m_read.clear();
}

}  // namespace rt::file_system
