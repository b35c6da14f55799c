#include "calibration/points_file_reader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cerrno>
#include <string_view>

#include "calibration/csv_fields.h"
#include "calibration/point_texts.h"
#include "calibration/points_file_text.h"

namespace calibration {

namespace {

using Kind = PointsFileError::Kind;

constexpr std::array<std::string_view, 5> kFormulationKeys = {
    "water_above_0c", "water_at_minus_100c", "ice_at_0c", "ice_at_minus_100c",
    "enhancement_factor"};

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Reads one file; the first error found stops it.
class Reader {
  public:
    PointsFileRead Read(std::string_view bytes);

  private:
    enum class Stage { Mark, Metadata, Rows };

    bool Fail(Kind kind) {
        error_.kind = kind;
        error_.line = line_;
        return false;
    }
    bool FailValue(const QString& column, const QString& found) {
        error_.column = column;
        error_.found = found;
        return Fail(Kind::BadValue);
    }
    bool FailCount(qsizetype count, qsizetype expected) {
        error_.count = count;
        error_.expectedCount = expected;
        return Fail(Kind::FieldCount);
    }

    bool Line(const QString& text);
    bool Mark(const QStringList& fields);
    bool Metadata(const QStringList& fields);
    bool Instrument(const QStringList& fields);
    bool Formulations(const QStringList& fields);
    bool Device(const QStringList& fields);
    bool Header(const QStringList& fields);
    bool Row(const QStringList& fields);

    // A text field as the file keeps it (FileText), under `column`'s name.
    bool TextField(const QString& text, const char* column, QString& into) {
        if (text != FileText(text)) {
            return FailValue(QLatin1String(column), text);
        }
        into = text;
        return true;
    }
    // A number of the row, empty allowed or not.
    bool Number(const QStringList& fields, int column, std::optional<double>& into) {
        const ParsedNumber n = ParseNumber(fields[column]);
        if (!n.valid) {
            return FailValue(header_[column], fields[column]);
        }
        into = n.value;
        return true;
    }
    bool Number(const QStringList& fields, int column, double& into) {
        std::optional<double> value;
        if (!Number(fields, column, value)) {
            return false;
        }
        if (!value) {
            return FailValue(header_[column], fields[column]);
        }
        into = *value;
        return true;
    }
    bool Flag(const QStringList& fields, int column, bool& into) {
        if (fields[column] != QLatin1String("0") && fields[column] != QLatin1String("1")) {
            return FailValue(header_[column], fields[column]);
        }
        into = fields[column] == QLatin1String("1");
        return true;
    }

    Stage stage_ = Stage::Mark;
    qsizetype line_ = 0;
    PointsFile file_;
    QStringList header_;
    bool seenInstrument_ = false;
    bool seenOperator_ = false;
    bool seenFormulations_ = false;
    PointsFileError error_;
};

PointsFileRead Reader::Read(std::string_view bytes) {
    PointsFileRead result;
    if (static_cast<qsizetype>(bytes.size()) > kLargestPointsFile) {
        Fail(Kind::TooLarge);
        result.error = error_;
        result.error.line = 0;
        return result;
    }
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();  // the last line need not end
        }
        std::string_view raw = bytes.substr(start, end - start);
        start = end + 1;
        ++line_;
        if (static_cast<qsizetype>(raw.size()) > kLongestPointsLine) {
            Fail(Kind::LineTooLong);
            break;
        }
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
        }
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString text = utf8.decode(QByteArrayView(raw.data(), raw.size()));
        if (utf8.hasError()) {
            Fail(Kind::NotUtf8);
            break;
        }
        if (!Line(text)) {
            break;
        }
    }
    if (error_.kind == Kind::None && stage_ != Stage::Rows) {
        // An empty file has no mark on its first line; a file without a header ends early.
        line_ = stage_ == Stage::Mark ? 1 : 0;
        Fail(stage_ == Stage::Mark ? Kind::NotAPointsFile : Kind::NoHeader);
    }
    result.error = error_;
    if (error_.kind == Kind::None) {
        result.file = std::move(file_);
    }
    return result;
}

bool Reader::Line(const QString& text) {
    if (stage_ != Stage::Mark && text.isEmpty()) {
        return true;  // blank lines stand for nothing
    }
    const std::optional<QStringList> fields = SplitCsvLine(text);
    if (stage_ == Stage::Mark) {
        return fields ? Mark(*fields) : Fail(Kind::NotAPointsFile);
    }
    if (!fields) {
        return Fail(Kind::UnclosedQuote);
    }
    if (text.startsWith(QLatin1Char('#'))) {
        return stage_ == Stage::Rows ? Fail(Kind::MetadataAfterHeader) : Metadata(*fields);
    }
    if (stage_ == Stage::Metadata) {
        return Header(*fields);
    }
    return Row(*fields);
}

bool Reader::Mark(const QStringList& fields) {
    if (fields.size() != 2 || fields[0] != Text(kPointsFileMark)) {
        return Fail(Kind::NotAPointsFile);
    }
    const ParsedNumber version = ParseNumber(fields[1]);
    if (!version.valid || !version.value || *version.value < 1 ||
        *version.value != static_cast<int>(*version.value)) {
        return Fail(Kind::NotAPointsFile);
    }
    if (*version.value > kPointsFileVersion) {
        error_.found = fields[1];
        return Fail(Kind::NewerVersion);
    }
    stage_ = Stage::Metadata;
    return true;
}

bool Reader::Metadata(const QStringList& fields) {
    const QString& kind = fields[0];
    bool* seen = nullptr;
    if (kind == QLatin1String("#instrument")) {
        seen = &seenInstrument_;
    } else if (kind == QLatin1String("#operator")) {
        seen = &seenOperator_;
    } else if (kind == QLatin1String("#formulations")) {
        seen = &seenFormulations_;
    } else if (kind == QLatin1String("#device")) {
        return Device(fields);
    } else {
        error_.found = kind;
        return Fail(Kind::UnknownLine);
    }
    if (*seen) {
        error_.found = kind;
        return Fail(Kind::RepeatedLine);
    }
    *seen = true;
    if (seen == &seenInstrument_) {
        return Instrument(fields);
    }
    if (seen == &seenFormulations_) {
        return Formulations(fields);
    }
    if (fields.size() != 2) {
        return FailCount(fields.size(), 2);
    }
    return TextField(fields[1], "operator", file_.operatorName);
}

bool Reader::Instrument(const QStringList& fields) {
    if (fields.size() != 4) {
        return FailCount(fields.size(), 4);
    }
    ReferenceInstrument& i = file_.instrument;
    return TextField(fields[1], "identification", i.identification) &&
           TextField(fields[2], "serial_number", i.serialNumber) &&
           TextField(fields[3], "firmware", i.firmware);
}

bool Reader::Formulations(const QStringList& fields) {
    constexpr qsizetype kFields = 1 + 2 * static_cast<qsizetype>(kFormulationKeys.size());
    if (fields.size() != kFields) {
        return FailCount(fields.size(), kFields);
    }
    humidity::FormulationUncertainties& u = file_.formulations;
    double* const values[] = {&u.waterAboveZero, &u.waterAtMinus100, &u.iceAtZero, &u.iceAtMinus100,
                              &u.enhancementFactor};
    for (std::size_t k = 0; k < kFormulationKeys.size(); ++k) {
        const QString key = Text(kFormulationKeys[k]);
        const QString& foundKey = fields[static_cast<qsizetype>(1 + 2 * k)];
        const QString& text = fields[static_cast<qsizetype>(2 + 2 * k)];
        if (foundKey != key) {
            return FailValue(key, foundKey);
        }
        const ParsedNumber n = ParseNumber(text);
        if (!n.valid || !n.value || *n.value < 0.0) {
            return FailValue(key, text);
        }
        *values[k] = *n.value;
    }
    return true;
}

bool Reader::Device(const QStringList& fields) {
    if (fields.size() != 7) {
        return FailCount(fields.size(), 7);
    }
    const QString expected = QString::number(file_.devices.size() + 1);
    if (fields[1] != expected) {
        error_.found = fields[1];
        error_.expected = expected;
        return Fail(Kind::DeviceOrder);
    }
    if (file_.devices.size() >= kMostDevices) {
        return Fail(Kind::TooManyDevices);
    }
    DeviceUnderTest device;
    if (!TextField(fields[2], "name", device.name)) {
        return false;
    }
    const std::optional<DeviceQuantity> quantity = DeviceQuantityFromName(fields[3]);
    if (!quantity) {
        return FailValue(QStringLiteral("quantity"), fields[3]);
    }
    const std::optional<DeviceUnit> unit = DeviceUnitFromName(fields[4]);
    device.quantity = *quantity;
    if (!unit) {
        return FailValue(QStringLiteral("unit"), fields[4]);
    }
    device.unit = *unit;
    const ParsedNumber resolution = ParseNumber(fields[5]);
    const ParsedNumber tolerance = ParseNumber(fields[6]);
    if (!resolution.value || *resolution.value < 0.0) {
        return FailValue(QStringLiteral("resolution"), fields[5]);
    }
    if (!tolerance.value || *tolerance.value < 0.0) {
        return FailValue(QStringLiteral("tolerance"), fields[6]);
    }
    device.resolution = *resolution.value;
    device.tolerance = *tolerance.value;
    if (!IsValid(device)) {
        // Everything else was checked: the name is blank, or the unit does not fit.
        return device.name.trimmed().isEmpty() ? FailValue(QStringLiteral("name"), fields[2])
                                               : FailValue(QStringLiteral("unit"), fields[4]);
    }
    file_.devices.push_back(device);
    return true;
}

bool Reader::Header(const QStringList& fields) {
    const QStringList expected = PointColumns(file_.devices.size());
    for (qsizetype i = 0; i < std::min(fields.size(), expected.size()); ++i) {
        if (fields[i] != expected[i]) {
            error_.count = i + 1;
            error_.found = fields[i];
            error_.expected = expected[i];
            return Fail(Kind::BadHeader);
        }
    }
    if (fields.size() != expected.size()) {
        return FailCount(fields.size(), expected.size());
    }
    header_ = expected;
    stage_ = Stage::Rows;
    return true;
}

bool Reader::Row(const QStringList& fields) {
    if (fields.size() != header_.size()) {
        return FailCount(fields.size(), header_.size());
    }
    if (file_.points.size() >= kMostPoints) {
        return Fail(Kind::TooManyPoints);
    }
    RecordedPoint recorded;
    CalibrationPoint& p = recorded.point;
    const std::optional<QDateTime> time = ParseTime(fields[kTimeColumn]);
    if (!time) {
        return FailValue(header_[kTimeColumn], fields[kTimeColumn]);
    }
    p.time = *time;
    bool samplesOk = false;
    const QString& samples = fields[kSamplesColumn];
    p.samples = samples.toULongLong(&samplesOk);
    if (!samplesOk || samples.isEmpty() || samples.size() > 12 ||
        samples != QString::number(p.samples)) {
        return FailValue(header_[kSamplesColumn], samples);
    }
    const std::optional<DeviceUnit> unit = DeviceUnitFromName(fields[kTemperatureUnitColumn]);
    if (!unit || *unit == DeviceUnit::Percent) {
        return FailValue(header_[kTemperatureUnitColumn], fields[kTemperatureUnitColumn]);
    }
    p.scale = *unit == DeviceUnit::Fahrenheit ? humidity::TemperatureScale::Fahrenheit
                                              : humidity::TemperatureScale::Celsius;
    if (!Number(fields, kSpanColumn, p.spanSeconds)) {
        return false;
    }
    const auto window = [&](int first, TemperatureWindow& w, PointQuantity q) {
        ValueWithUncertainty& v = p.quantities[static_cast<std::size_t>(q)];
        if (!Number(fields, first, w.mean) || !Number(fields, first + 1, v.expanded) ||
            !Number(fields, first + 2, w.standardDeviation) ||
            !Number(fields, first + 3, w.driftPerHour)) {
            return false;
        }
        v.value = w.mean;
        return true;
    };
    if (!window(kDewPointColumns, p.dewPoint, PointQuantity::DewPoint) ||
        !window(kAmbientColumns, p.ambient, PointQuantity::AmbientTemperature)) {
        return false;
    }
    for (int i = 0; i < 7; ++i) {
        ValueWithUncertainty& v =
            p.quantities[static_cast<std::size_t>(PointQuantity::VapourPressure) + i];
        const int column = kQuantityColumns + 2 * i;
        if (!Number(fields, column, v.value) || !Number(fields, column + 1, v.expanded)) {
            return false;
        }
    }
    if (!Number(fields, kPressureColumn, p.pressureHpa) ||
        !Number(fields, kPressureUncertaintyColumn, p.pressureExpandedHpa) ||
        !Number(fields, kDewPointInstrumentColumn, p.dewPointExpandedK) ||
        !Number(fields, kAmbientInstrumentColumn, p.ambientExpandedK)) {
        return false;
    }
    const QString& source = fields[kPressureSourceColumn];
    bool sourceKnown = false;
    for (humidity::PressureSource s :
         {humidity::PressureSource::CommandLine, humidity::PressureSource::Instrument,
          humidity::PressureSource::Standard}) {
        if (source == Text(PressureSourceName(s))) {
            p.pressureSource = s;
            sourceKnown = true;
        }
    }
    if (!sourceKnown) {
        return FailValue(header_[kPressureSourceColumn], source);
    }
    if (!Flag(fields, kStableColumn, p.stable) || !Flag(fields, kExcludedColumn, p.excluded)) {
        return false;
    }
    recorded.readings.resize(file_.devices.size());
    for (std::size_t d = 0; d < file_.devices.size(); ++d) {
        if (!Number(fields, kPointColumnCount + static_cast<int>(d) * kDeviceColumnCount,
                    recorded.readings[d])) {
            return false;
        }
    }
    file_.points.push_back(std::move(recorded));
    return true;
}

}  // namespace

PointsFileRead ParsePointsFile(QByteArrayView bytes) {
    return Reader().Read(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
}

PointsFileRead LoadPointsFile(const std::string& path) {
    const QString name = QString::fromStdString(path);
    const auto unreadable = [](int error) {
        PointsFileRead read;
        read.error.kind = Kind::Unreadable;
        read.error.systemError = error;
        return read;
    };
    // QFile tells no errno: the usual reasons are asked for first.
    const QFileInfo info(name);
    if (!info.exists()) {
        return unreadable(ENOENT);
    }
    if (!info.isFile()) {
        return unreadable(EINVAL);
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        return unreadable(info.isReadable() ? EIO : EACCES);
    }
    // One byte more than the bound tells a file that is too large without reading it all.
    const QByteArray bytes = file.read(kLargestPointsFile + 1);
    if (file.error() != QFileDevice::NoError) {
        return unreadable(EIO);
    }
    return ParsePointsFile(bytes);
}

}  // namespace calibration
