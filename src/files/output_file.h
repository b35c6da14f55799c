#pragma once
// A file written straight to the system, line by line, so what was written before a failure
// is on disk whatever happens next. One backend per system; failures come back as the
// <cerrno> code that names them on either system, so the operator sees the same texts.

#include <cstddef>
#include <cstdint>
#include <string>

namespace files {

enum class OpenMode {
    Truncate,        // created, or emptied when it exists
    AppendExisting,  // written at its end; ENOENT, and nothing created, when it does not exist
    AppendOrCreate,  // written at its end, created when missing
    CreateNew,       // created and written at its end; EEXIST, and nothing touched, when it exists
};

class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile() { Close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens `path` (UTF-8) for writing, closing the file open before; 0 or the error code.
    // Other programs may read the file meanwhile.
    int Open(const std::string& path, OpenMode mode);
    // Writes all `size` bytes as they are, resuming after partial writes; 0 or the error
    // code (EBADF when no file is open). `accepted`, when given, gets the bytes the file took,
    // all of them or those before the failure.
    int WriteAll(const void* data, std::size_t size, std::size_t* accepted = nullptr);
    // Whether the open file is a regular file that holds no bytes yet; false (with `error`
    // set) when that cannot be told.
    bool IsEmpty(int* error) const;
    // Closes the file if one is open; 0 or the error code of closing it.
    int Close();
    bool IsOpen() const { return handle_ != kNoHandle; }

  private:
    // A file descriptor on POSIX, a HANDLE on Windows; -1 is "none" on both.
    static constexpr std::intptr_t kNoHandle = -1;
    std::intptr_t handle_ = kNoHandle;
};

}  // namespace files
