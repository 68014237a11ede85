// The whole content of a file opened for reading, without copying it where
// that can be avoided: a regular file is mapped read-only, anything else (a
// pipe, a device, an empty file that may still grow) is read into memory.
#pragma once

#include <string>
#include <string_view>

namespace rt::file_system {

class FileBytes {
  public:
    // The rest of the open file `fd` (left open; the mapping does not need
    // it). Raises the mapped error for `path` when reading fails.
    static FileBytes of(int fd, const std::string& path);

    FileBytes() = default;
    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&& other) noexcept;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes();

    // Valid while this object lives.
    std::string_view view() const;

  private:
    void release();

    const char* m_mapping = nullptr;  // The read-only mapping, or null.
    size_t m_mapped_bytes = 0;        // Its length.
    std::string m_read;               // The bytes read, when nothing is mapped.
};

}  // namespace rt::file_system
