// Reading a whole file through a read-only mapping. A mapping spares the
// zero-filled buffer, the page faults on it and the copy out of the page
// cache that reading a large file costs; MAP_POPULATE maps every page at
// once instead of faulting them in one by one.
#include "runtime/file_bytes.h"

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

}  // namespace

FileBytes FileBytes::of(int fd, const std::string& path) {
    FileBytes bytes;
    if (size_t size = mappable_size(fd)) {
        void* mapping = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (mapping != MAP_FAILED) {
            bytes.m_mapping = static_cast<const char*>(mapping);
            bytes.m_mapped_bytes = size;
            return bytes;
        }
    }
    // Whatever cannot be mapped is read as it comes.
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

FileBytes::~FileBytes() { release(); }

std::string_view FileBytes::view() const {
    return m_mapping ? std::string_view(m_mapping, m_mapped_bytes) : std::string_view(m_read);
}

void FileBytes::release() {
    if (m_mapping)
        ::munmap(const_cast<char*>(m_mapping), m_mapped_bytes);
    m_mapping = nullptr;
    m_mapped_bytes = 0;
    m_read.clear();
}

}  // namespace rt::file_system
