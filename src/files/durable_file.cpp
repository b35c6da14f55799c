#include "files/durable_file.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "files/disk_sync.h"
#include "files/output_file.h"

namespace files {

namespace {

// The UTF-8 name as the file system's own: a plain string would be taken in the ANSI code
// page on Windows.
std::filesystem::path NativePath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Opens `path` in `mode`, writes all the bytes and closes it: 0 or the first error, and
// whether it was opened at all.
int WriteAndClose(const std::string& path, OpenMode mode, const void* data, std::size_t size,
                  bool& opened) {
    OutputFile file;
    int error = file.Open(path, mode);
    opened = error == 0;
    if (!opened) {
        return error;
    }
    error = file.WriteAll(data, size);
    const int closeError = file.Close();
    return error != 0 ? error : closeError;
}

}  // namespace

std::string ReplacementPath(const std::string& path) {
    return path + ".tmp";
}

int AppendDurably(const std::string& path, const void* data, std::size_t size) {
    std::error_code sizeError;
    const std::uintmax_t before = std::filesystem::file_size(NativePath(path), sizeError);
    bool opened = false;
    const int error = WriteAndClose(path, OpenMode::AppendExisting, data, size, opened);
    if (error != 0) {
        if (opened && !sizeError) {
            // Best effort: a file that cannot be cut keeps the part, and the caller is told.
            std::error_code ignored;
            std::filesystem::resize_file(NativePath(path), before, ignored);
        }
        return error;
    }
    return SyncFileToDisk(path);
}

int ReplaceAtomically(const std::string& path, const void* data, std::size_t size) {
    const std::string temporary = ReplacementPath(path);
    bool opened = false;
    int error = WriteAndClose(temporary, OpenMode::Truncate, data, size, opened);
    if (!opened) {
        return error;  // nothing was made, and what is there is not ours to remove
    }
    if (error == 0) {
        error = SyncFileToDisk(temporary);
    }
    if (error == 0) {
        error = RenameReplacing(temporary, path);
    }
    if (error != 0) {
        std::error_code ignored;
        std::filesystem::remove(NativePath(temporary), ignored);
        return error;
    }
    return SyncDirectoryOfToDisk(path);
}

}  // namespace files
