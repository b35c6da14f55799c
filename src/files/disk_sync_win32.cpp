#include <windows.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "files/disk_sync.h"

namespace files {

namespace {

// The wide name of a UTF-8 one, as the wide API takes it.
std::wstring Wide(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end())).wstring();
}

// The <cerrno> code of the failures these calls meet; the full table is OutputFile's.
int LastErrno() {
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        default:
            return EIO;
    }
}

}  // namespace

int SyncFileToDisk(const std::string& path) {
    // FlushFileBuffers needs a handle with write access.
    const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return LastErrno();
    }
    const int error = FlushFileBuffers(file) ? 0 : LastErrno();
    CloseHandle(file);
    return error;
}

int SyncDirectoryOfToDisk(const std::string&) {
    return 0;  // MOVEFILE_WRITE_THROUGH already waited for the rename to reach the disk
}

int RenameReplacing(const std::string& from, const std::string& to) {
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : LastErrno();
}

}  // namespace files
