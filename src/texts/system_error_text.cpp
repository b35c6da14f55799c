#include "texts/system_error_text.h"

#include <locale.h>
#include <QCoreApplication>
#include <cerrno>
#include <clocale>
#include <cstring>

namespace {

// strerror_l in the locale named for the program's language; without that locale on the
// machine, the C library's text as it is.
QString LibraryText(int error) {
    const QByteArray name =
        QCoreApplication::translate("SystemError", "pl_PL.UTF-8",
                                    "the C library's locale for the texts of other errors")
            .toLatin1();
    if (locale_t locale = newlocale(LC_MESSAGES_MASK, name.constData(), locale_t{}); locale) {
        const QString text = QString::fromUtf8(strerror_l(error, locale));
        freelocale(locale);
        return text;
    }
    return QString::fromLocal8Bit(std::strerror(error));
}

}  // namespace

QString SystemErrorText(int error) {
    switch (error) {
        case ECONNREFUSED:
            return QCoreApplication::translate("SystemError", "Połączenie odrzucone");
        case ETIMEDOUT:
            return QCoreApplication::translate("SystemError",
                                               "Przekroczony czas oczekiwania na połączenie");
        case EHOSTUNREACH:
            return QCoreApplication::translate("SystemError", "Brak trasy do hosta");
        case EHOSTDOWN:
            return QCoreApplication::translate("SystemError", "Host nie działa");
        case ENETUNREACH:
            return QCoreApplication::translate("SystemError", "Sieć jest niedostępna");
        case ECONNRESET:
            return QCoreApplication::translate("SystemError",
                                               "Połączenie zerwane przez drugą stronę");
        case ECONNABORTED:
            return QCoreApplication::translate("SystemError", "Połączenie przerwane");
        case EPIPE:
            return QCoreApplication::translate("SystemError", "Przerwany potok");
        case EADDRINUSE:
            return QCoreApplication::translate("SystemError", "Adres jest już w użyciu");
        case EADDRNOTAVAIL:
            return QCoreApplication::translate("SystemError",
                                               "Nie można przypisać żądanego adresu");
        case EACCES:
            return QCoreApplication::translate("SystemError", "Brak dostępu");
        case EPERM:
            return QCoreApplication::translate("SystemError", "Operacja niedozwolona");
        case ENOENT:
            return QCoreApplication::translate("SystemError", "Nie ma takiego pliku ani katalogu");
        case EBUSY:
            return QCoreApplication::translate("SystemError", "Urządzenie lub zasoby zajęte");
        case EIO:
            return QCoreApplication::translate("SystemError", "Błąd wejścia/wyjścia");
        case ENXIO:
            return QCoreApplication::translate("SystemError",
                                               "Nie ma takiego urządzenia ani adresu");
        case ENODEV:
            return QCoreApplication::translate("SystemError", "Nie ma takiego urządzenia");
        case ENOTTY:
            return QCoreApplication::translate("SystemError",
                                               "To nie jest urządzenie znakowe terminala");
        case EMFILE:
            return QCoreApplication::translate("SystemError", "Za dużo otwartych plików");
        default:
            return LibraryText(error);
    }
}
