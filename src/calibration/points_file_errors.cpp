#include <QCoreApplication>

#include "calibration/points_file_reader.h"
#include "measure/file_error_text.h"

namespace calibration {

namespace {

// "Wiersz 14: " before what is wrong on a line; nothing where no line is meant.
QString OnLine(const PointsFileError& e, const QString& what) {
    if (e.line == 0) {
        return what;
    }
    return QCoreApplication::translate("PointsFile", "Wiersz %1: %2").arg(e.line).arg(what);
}

}  // namespace

QString PointsFileErrorText(const PointsFileError& e) {
    using Kind = PointsFileError::Kind;
    switch (e.kind) {
        case Kind::None:
            return {};
        case Kind::Unreadable:
            return QCoreApplication::translate("PointsFile",
                                               "Nie można odczytać pliku punktów: %1.")
                .arg(FileErrorText(e.systemError));
        case Kind::TooLarge:
            return QCoreApplication::translate("PointsFile", "Plik punktów jest większy niż %1 MB.")
                .arg(kLargestPointsFile / (1024 * 1024));
        case Kind::LineTooLong:
            return OnLine(e, QCoreApplication::translate("PointsFile", "dłuższy niż %1 bajtów.")
                                 .arg(kLongestPointsLine));
        case Kind::NotUtf8:
            return OnLine(
                e, QCoreApplication::translate("PointsFile", "tekst nie jest zapisany w UTF-8."));
        case Kind::NotAPointsFile:
            return OnLine(
                e, QCoreApplication::translate(
                       "PointsFile", "to nie jest plik punktów (brak „#hygrometer-points”)."));
        case Kind::NewerVersion:
            return OnLine(
                e, QCoreApplication::translate(
                       "PointsFile", "plik punktów w wersji %1, nowszej niż ta, którą zna program.")
                       .arg(e.found));
        case Kind::UnknownLine:
            return OnLine(e,
                          QCoreApplication::translate("PointsFile", "nieznany rodzaj wiersza „%1”.")
                              .arg(e.found));
        case Kind::RepeatedLine:
            return OnLine(
                e, QCoreApplication::translate("PointsFile", "drugi wiersz „%1”.").arg(e.found));
        case Kind::MetadataAfterHeader:
            return OnLine(
                e, QCoreApplication::translate("PointsFile", "wiersz „#” po wierszu nagłówka."));
        case Kind::UnclosedQuote:
            return OnLine(
                e, QCoreApplication::translate("PointsFile", "cudzysłów nie jest zamknięty."));
        case Kind::FieldCount:
            return OnLine(e, QCoreApplication::translate("PointsFile", "pól: %1, a powinno być %2.")
                                 .arg(e.count)
                                 .arg(e.expectedCount));
        case Kind::BadValue:
            return OnLine(e, QCoreApplication::translate(
                                 "PointsFile", "„%1” w kolumnie „%2” nie jest poprawną wartością.")
                                 .arg(e.found, e.column));
        case Kind::BadHeader:
            return OnLine(e, QCoreApplication::translate(
                                 "PointsFile", "kolumna %1 nazywa się „%2”, a powinna „%3”.")
                                 .arg(e.count)
                                 .arg(e.found, e.expected));
        case Kind::DeviceOrder:
            return OnLine(e, QCoreApplication::translate("PointsFile",
                                                         "urządzenie nr „%1”, a powinno być nr %2.")
                                 .arg(e.found, e.expected));
        case Kind::TooManyDevices:
            return OnLine(e, QCoreApplication::translate("PointsFile", "więcej niż %1 urządzeń.")
                                 .arg(kMostDevices));
        case Kind::TooManyPoints:
            return OnLine(e, QCoreApplication::translate("PointsFile", "więcej niż %1 punktów.")
                                 .arg(kMostPoints));
        case Kind::NoHeader:
            return QCoreApplication::translate("PointsFile",
                                               "Plik punktów kończy się przed wierszem nagłówka.");
    }
    return {};
}

}  // namespace calibration
