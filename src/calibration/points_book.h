#pragma once
// A run's calibration points and the one writer of their file. Recording a point appends it
// to the file at once; every edit (a device added, a reading typed, a point excluded, the
// operator's name) rewrites the whole file in one step. A change whose write failed is kept
// here and the next write is a whole rewrite, so what the file misses is written as soon as
// the disk takes it again. Lives on the front end's thread; points taken on another thread
// reach it through that thread.

#include <QObject>
#include <QString>
#include <cstddef>
#include <optional>
#include <string>

#include "calibration/points_file.h"

namespace calibration {

class PointsBook : public QObject {
    Q_OBJECT

  public:
    explicit PointsBook(QObject* parent = nullptr);

    // Where the points go from now on: `path` is read and continued when it exists, and
    // created at the first point when it does not. Empty, or the error text when it exists
    // but is no points file this program can continue (nothing changes then).
    QString Open(const std::string& path);
    bool IsOpen() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }
    const PointsFile& File() const { return file_; }
    // Whether a change is only here, its write having failed.
    bool Unwritten() const { return unwritten_; }

    // Each returns empty when the file holds the change, else the text that says why not
    // (the change is kept here all the same, except where the text says it was refused).
    QString Record(const CalibrationPoint& point);
    QString AddDevice(const DeviceUnderTest& device);
    QString SetReading(std::size_t point, std::size_t device, std::optional<double> reading);
    QString SetExcluded(std::size_t point, bool excluded);
    QString SetOperator(const QString& name);
    QString SetInstrument(const ReferenceInstrument& instrument);

  signals:
    // After every change, written or not.
    void Changed();

  private:
    // Writes the whole file; the error text or empty.
    QString Rewrite();
    QString WriteResult(int error);

    std::string path_;
    PointsFile file_;
    bool unwritten_ = false;
};

}  // namespace calibration
