#include "files/output_file.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace files {

namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The <cerrno> code whose text fits a Win32 error, so both systems show the same texts.
int ErrnoFromWin32(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:
            return EINVAL;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_TOO_MANY_OPEN_FILES:
            return EMFILE;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_INVALID_HANDLE:
            return EBADF;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        default:
            return EIO;
    }
}

// File names arrive as UTF-8; the wide API takes any name the file system can hold.
bool Utf8ToWide(const std::string& text, std::wstring* wide) {
    wide->clear();
    if (text.empty()) {
        return true;
    }
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return false;
    }
    const int length = static_cast<int>(text.size());
    const int needed =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        return false;
    }
    wide->resize(static_cast<std::size_t>(needed));
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, wide->data(),
                               needed) == needed;
}

}  // namespace

int OutputFile::Open(const std::string& path, OpenMode mode) {
    Close();
    std::wstring widePath;
    if (!Utf8ToWide(path, &widePath)) {
        return EINVAL;
    }
    DWORD access = FILE_APPEND_DATA;  // every write goes to the end, as O_APPEND does
    DWORD disposition = OPEN_ALWAYS;
    switch (mode) {
        case OpenMode::Truncate:
            access = GENERIC_WRITE;
            disposition = CREATE_ALWAYS;
            break;
        case OpenMode::AppendExisting:
            disposition = OPEN_EXISTING;
            break;
        case OpenMode::AppendOrCreate:
            disposition = OPEN_ALWAYS;
            break;
        case OpenMode::CreateNew:
            disposition = CREATE_NEW;
            break;
    }
    // Shared like a POSIX file: others may read it, and rename or delete it between lines.
    const HANDLE file = CreateFileW(widePath.c_str(), access,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return ErrnoFromWin32(GetLastError());
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return 0;
}

int OutputFile::WriteAll(const void* data, std::size_t size, std::size_t* accepted) {
    if (accepted != nullptr) {
        *accepted = 0;
    }
    if (!IsOpen()) {
        return EBADF;
    }
    const char* next = static_cast<const char*>(data);
    std::size_t left = size;
    while (left > 0) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(left, std::numeric_limits<DWORD>::max()));
        DWORD written = 0;
        if (!WriteFile(AsHandle(handle_), next, chunk, &written, nullptr)) {
            return ErrnoFromWin32(GetLastError());
        }
        if (written == 0) {
            return EIO;  // nothing accepted without a reason
        }
        next += written;
        left -= written;
        if (accepted != nullptr) {
            *accepted += written;
        }
    }
    return 0;
}

bool OutputFile::IsEmpty(int* error) const {
    LARGE_INTEGER size{};
    if (!IsOpen() || !GetFileSizeEx(AsHandle(handle_), &size)) {
        *error = IsOpen() ? ErrnoFromWin32(GetLastError()) : EBADF;
        return false;
    }
    *error = 0;
    return size.QuadPart == 0;
}

int OutputFile::Close() {
    if (!IsOpen()) {
        return 0;
    }
    const HANDLE file = AsHandle(handle_);
    handle_ = kNoHandle;
    return CloseHandle(file) ? 0 : ErrnoFromWin32(GetLastError());
}

}  // namespace files
