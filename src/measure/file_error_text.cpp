#include "measure/file_error_text.h"

#include <QCoreApplication>

#include "files/file_error_text.h"

QString FileErrorText(int err) {
    switch (files::FileErrorKindOf(err)) {
        case files::FileErrorKind::NotFound:
            return QCoreApplication::translate("FileErrors", "Nie znaleziono pliku");
        case files::FileErrorKind::InvalidName:
            return QCoreApplication::translate("FileErrors", "Nieprawidłowa nazwa pliku");
        case files::FileErrorKind::TooManyOpen:
            return QCoreApplication::translate("FileErrors", "Zbyt wiele otwartych plików");
        case files::FileErrorKind::AccessDenied:
            return QCoreApplication::translate("FileErrors", "Brak dostępu do pliku");
        case files::FileErrorKind::DiskFull:
            return QCoreApplication::translate("FileErrors", "Dysk pełny");
        case files::FileErrorKind::Other:
            break;
    }
    return QCoreApplication::translate("FileErrors", "Błąd wejścia/wyjścia %1").arg(err);
}
