#include "files/file_error_text.h"

#include <cerrno>

namespace files {

std::string FileErrorText(int err) {
    switch (err) {
        case ENOENT:
            return "File not found";
        case ENAMETOOLONG:
        case EINVAL:
            return "Invalid filename";
        case EMFILE:
        case ENFILE:
            return "Too many open files";
        case EACCES:
        case EPERM:
        case EROFS:
            return "File access denied";
        case ENOSPC:
#ifdef EDQUOT  // not on Windows
        case EDQUOT:
#endif
            return "Disk full";
        default:
            return "I/O error " + std::to_string(err);
    }
}

}  // namespace files
