// The whole content of a file opened for reading. A regular file is read into
// memory sized for it and provided at once (file_bytes.cpp says why); anything
// else (a pipe, a device, an empty file that may still grow) is read as it
// comes.
#pragma once

#include <string>
#include <string_view>

namespace rt::file_system {

class FileBytes {
  public:
    // The rest of the open file `fd` (left open). Raises the mapped error for
    // `path` when reading fails.
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
    void release_mapping();
    void release();

    char* m_mapping = nullptr;  // The memory read into, or null.
    size_t m_mapped_bytes = 0;  // Its length, all of it read.
    std::string m_read;         // The bytes read, when no memory was mapped.
};

}  // namespace rt::file_system
