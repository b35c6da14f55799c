#include "files/file_error_text.h"

#include <cerrno>

namespace files {

FileErrorKind FileErrorKindOf(int err) {
    switch (err) {
        case ENOENT:
            return FileErrorKind::NotFound;
        case ENAMETOOLONG:
        case EINVAL:
            return FileErrorKind::InvalidName;
        case EMFILE:
        case ENFILE:
            return FileErrorKind::TooManyOpen;
        case EACCES:
        case EPERM:
        case EROFS:
            return FileErrorKind::AccessDenied;
        case ENOSPC:
#ifdef EDQUOT  // not on Windows
        case EDQUOT:
#endif
            return FileErrorKind::DiskFull;
        default:
            return FileErrorKind::Other;
    }
}

std::string FileErrorText(int err) {
    switch (FileErrorKindOf(err)) {
        case FileErrorKind::NotFound:
            return "File not found";
        case FileErrorKind::InvalidName:
            return "Invalid filename";
        case FileErrorKind::TooManyOpen:
            return "Too many open files";
        case FileErrorKind::AccessDenied:
            return "File access denied";
        case FileErrorKind::DiskFull:
            return "Disk full";
        case FileErrorKind::Other:
            break;
    }
    return "I/O error " + std::to_string(err);
}

}  // namespace files
