#include "calibration/points_book.h"

#include <QCoreApplication>
#include <filesystem>
#include <system_error>

#include "calibration/points_file_reader.h"
#include "calibration/points_file_store.h"
#include "measure/file_error_text.h"

namespace calibration {

namespace {

QString Refused(const char* text) {
    return QCoreApplication::translate("PointsBook", text);
}

}  // namespace

PointsBook::PointsBook(QObject* parent) : QObject(parent) {}

QString PointsBook::Open(const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored)) {
        const PointsFileRead read = LoadPointsFile(path);
        if (!read.file) {
            return QCoreApplication::translate("PointsBook", "%1: %2")
                .arg(QString::fromStdString(path), PointsFileErrorText(read.error));
        }
        file_ = *read.file;
    } else {
        file_ = PointsFile{};
    }
    path_ = path;
    unwritten_ = false;
    emit Changed();
    return {};
}

QString PointsBook::Record(const CalibrationPoint& point) {
    if (!AddPoint(file_, point)) {
        return Refused(QT_TRANSLATE_NOOP(
            "PointsBook", "Osiągnięto największą liczbę punktów; punkt nie został zapisany."));
    }
    QString error;
    if (!IsOpen()) {
        unwritten_ = true;
        error = Refused(QT_TRANSLATE_NOOP("PointsBook", "Nie wybrano pliku punktów."));
    } else if (unwritten_) {
        error = Rewrite();
    } else {
        error = WriteResult(AppendPointToFile(path_, file_, file_.points.size() - 1));
    }
    emit Changed();
    return error;
}

QString PointsBook::AddDevice(const DeviceUnderTest& device) {
    if (!calibration::AddDevice(file_, device)) {
        return Refused(QT_TRANSLATE_NOOP(
            "PointsBook", "Nie dodano urządzenia: nieprawidłowe dane lub zbyt wiele urządzeń."));
    }
    const QString error = Rewrite();
    emit Changed();
    return error;
}

QString PointsBook::SetReading(std::size_t point, std::size_t device,
                               std::optional<double> reading) {
    if (!calibration::SetReading(file_, point, device, reading)) {
        return Refused(QT_TRANSLATE_NOOP("PointsBook", "Nieprawidłowy odczyt."));
    }
    const QString error = Rewrite();
    emit Changed();
    return error;
}

QString PointsBook::SetExcluded(std::size_t point, bool excluded) {
    if (!calibration::SetExcluded(file_, point, excluded)) {
        return Refused(QT_TRANSLATE_NOOP("PointsBook", "Nie ma takiego punktu."));
    }
    const QString error = Rewrite();
    emit Changed();
    return error;
}

QString PointsBook::SetOperator(const QString& name) {
    calibration::SetOperator(file_, name);
    const QString error = Rewrite();
    emit Changed();
    return error;
}

QString PointsBook::SetInstrument(const ReferenceInstrument& instrument) {
    calibration::SetInstrument(file_, instrument);
    const QString error = Rewrite();
    emit Changed();
    return error;
}

QString PointsBook::Rewrite() {
    if (!IsOpen()) {
        unwritten_ = true;
        return Refused(QT_TRANSLATE_NOOP("PointsBook", "Nie wybrano pliku punktów."));
    }
    // The operator's name or the instrument alone make no file: it is made with the first
    // point or device, and holds them then.
    std::error_code ignored;
    if (file_.points.empty() && file_.devices.empty() && !std::filesystem::exists(path_, ignored)) {
        unwritten_ = true;
        return {};
    }
    return WriteResult(RewritePointsFile(path_, file_));
}

QString PointsBook::WriteResult(int error) {
    unwritten_ = error != 0;
    if (error == 0) {
        return {};
    }
    return QCoreApplication::translate("PointsBook",
                                       "Nie można zapisać pliku punktów %1: %2; zmiana "
                                       "czeka w pamięci na następny zapis.")
        .arg(QString::fromStdString(path_), FileErrorText(error));
}

}  // namespace calibration
