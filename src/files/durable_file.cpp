#include "files/durable_file.h"

#include <filesystem>
#include <system_error>

#include "files/disk_sync.h"
#include "files/output_file.h"

namespace files {

std::string ReplacementPath(const std::string& path) {
    return path + ".tmp";
}

int AppendDurably(const std::string& path, const void* data, std::size_t size) {
    std::error_code sizeError;
    const std::uintmax_t before = std::filesystem::file_size(path, sizeError);
    OutputFile file;
    int error = file.Open(path, OpenMode::AppendExisting);
    if (error != 0) {
        return error;
    }
    error = file.WriteAll(data, size);
    const int closeError = file.Close();
    if (error != 0) {
        if (!sizeError) {
            // Best effort: a file that cannot be cut keeps the part, and the caller is told.
            std::error_code ignored;
            std::filesystem::resize_file(path, before, ignored);
        }
        return error;
    }
    return closeError != 0 ? closeError : SyncFileToDisk(path);
}

int ReplaceAtomically(const std::string& path, const void* data, std::size_t size) {
    const std::string temporary = ReplacementPath(path);
    OutputFile file;
    int error = file.Open(temporary, OpenMode::Truncate);
    if (error != 0) {
        return error;
    }
    error = file.WriteAll(data, size);
    const int closeError = file.Close();
    if (error == 0) {
        error = closeError;
    }
    if (error == 0) {
        error = SyncFileToDisk(temporary);
    }
    if (error == 0) {
        error = RenameReplacing(temporary, path);
    }
    if (error != 0) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return error;
    }
    return SyncDirectoryOfToDisk(path);
}

}  // namespace files
