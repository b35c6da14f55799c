#include "measure/file_error_text.h"

#include <cerrno>

QString FileErrorText(int err) {
    switch (err) {
        case ENOENT:
            return QStringLiteral("File not found");
        case ENAMETOOLONG:
        case EINVAL:
            return QStringLiteral("Invalid filename");
        case EMFILE:
        case ENFILE:
            return QStringLiteral("Too many open files");
        case EACCES:
        case EPERM:
        case EROFS:
            return QStringLiteral("File access denied");
        case ENOSPC:
        case EDQUOT:
            return QStringLiteral("Disk full");
        default:
            return QStringLiteral("I/O error %1").arg(err);
    }
}
