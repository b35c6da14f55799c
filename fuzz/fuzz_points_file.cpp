// The points file's reader over any bytes: it never crashes, and whatever it accepts it
// writes as a file that reads back as the same points, devices and readings, whose text is
// then written the same again.

#include <QByteArray>
#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

#include "calibration/points_file_reader.h"
#include "calibration/points_file_text.h"
#include "support/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace calibration;
    const PointsFileRead first =
        ParsePointsFile(QByteArrayView(data, static_cast<qsizetype>(size)));
    FUZZ_CHECK(first.file.has_value() == (first.error.kind == PointsFileError::Kind::None));
    FUZZ_CHECK(!PointsFileErrorText(first.error).isEmpty() || first.file.has_value());
    if (!first.file) {
        return 0;
    }
    // Written once, the numbers take the file's six significant digits; from then on the
    // text stays as it is.
    const QByteArray written = PointsFileText(*first.file);
    const PointsFileRead second = ParsePointsFile(written);
    FUZZ_CHECK(second.file.has_value());
    const QByteArray again = PointsFileText(*second.file);
    const PointsFileRead third = ParsePointsFile(again);
    FUZZ_CHECK(third.file.has_value());
    FUZZ_CHECK(*third.file == *second.file);
    FUZZ_CHECK(PointsFileText(*third.file) == again);
    FUZZ_CHECK(second.file->points.size() == first.file->points.size());
    FUZZ_CHECK(second.file->devices == first.file->devices);
    return 0;
}
