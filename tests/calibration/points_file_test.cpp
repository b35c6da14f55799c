// The points file: its text row for row, read back exactly, continued after a restart,
// rewritten in one step, and every way a broken file is told, with its line.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimeZone>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "calibration/points_file.h"
#include "calibration/points_file_reader.h"
#include "calibration/points_file_store.h"
#include "calibration/points_file_text.h"
#include "common/language.h"
#include "common/scratch_files.h"

namespace calibration {
namespace {

namespace fs = std::filesystem;

CalibrationPoint FirstPoint() {
    CalibrationPoint p;
    p.time = QDateTime(QDate(2026, 12, 10), QTime(13, 15, 0, 123), QTimeZone(3600));
    p.samples = 601;
    p.spanSeconds = 600.0;
    p.dewPoint = {10.0, 0.005, -0.01};
    p.ambient = {20.0, 0.02, 0.05};
    const auto set = [&](PointQuantity q, std::optional<double> value,
                         std::optional<double> expanded) {
        p.quantities[static_cast<std::size_t>(q)] = {value, expanded};
    };
    set(PointQuantity::DewPoint, 10.0, 0.2);
    set(PointQuantity::AmbientTemperature, 20.0, 0.2);
    set(PointQuantity::VapourPressure, 1234.56, 15.2);
    set(PointQuantity::RelativeHumidity, 52.5, 1.1);
    set(PointQuantity::AbsoluteHumidity, 9.4, 0.12);
    set(PointQuantity::MixingRatio, 7.65, 0.1);
    set(PointQuantity::Ppmv, 12300.0, 160.0);
    p.pressureHpa = 1013.25;
    p.pressureExpandedHpa = 30.0;
    p.pressureSource = humidity::PressureSource::Standard;
    p.dewPointExpandedK = 0.2;
    p.ambientExpandedK = 0.2;
    p.stable = true;
    return p;
}

CalibrationPoint SecondPoint() {
    CalibrationPoint p = FirstPoint();
    p.time = QDateTime(QDate(2026, 12, 10), QTime(14, 2, 30), QTimeZone(3600));
    p.samples = 300;
    p.spanSeconds = 299.0;
    p.dewPoint = {10.5, 0.01, 0.2};
    p.ambient = {20.5, 0.03, -0.1};
    p.quantities[static_cast<std::size_t>(PointQuantity::DewPoint)].value = 10.5;
    p.quantities[static_cast<std::size_t>(PointQuantity::AmbientTemperature)].value = 20.5;
    p.pressureHpa = 1000.0;
    p.pressureExpandedHpa = 1.0;
    p.pressureSource = humidity::PressureSource::Instrument;
    p.stable = false;
    return p;
}

PointsFile TwoDevicesTwoPoints() {
    PointsFile f;
    SetInstrument(f, {"KRT20 v1.3", "012345", "1.3"});
    SetOperator(f, "Jan Kowalski");
    EXPECT_TRUE(AddDevice(f, {"Sonda \"A\", hala B", DeviceQuantity::RelativeHumidity,
                              DeviceUnit::Percent, 0.1, 2.0}));
    EXPECT_TRUE(AddPoint(f, FirstPoint()));
    EXPECT_TRUE(
        AddDevice(f, {"Termometr", DeviceQuantity::Temperature, DeviceUnit::Fahrenheit, 0.1, 0.5}));
    EXPECT_TRUE(AddPoint(f, SecondPoint()));
    EXPECT_TRUE(SetReading(f, 0, 0, 53.1));
    EXPECT_TRUE(SetReading(f, 1, 1, 69.0));
    EXPECT_TRUE(SetExcluded(f, 1, true));
    return f;
}

const char kHeader[] =
    "time,samples,span_s,temperature_unit,"
    "dew_point_mean,dew_point_mean_U,dew_point_sd,dew_point_drift_per_h,"
    "ambient_temperature_mean,ambient_temperature_mean_U,ambient_temperature_sd,"
    "ambient_temperature_drift_per_h,"
    "vapour_pressure_pa,vapour_pressure_pa_U,frost_point,frost_point_U,"
    "relative_humidity_calculated,relative_humidity_calculated_U,"
    "relative_humidity_ice,relative_humidity_ice_U,absolute_humidity_g_m3,"
    "absolute_humidity_g_m3_U,mixing_ratio_g_kg,mixing_ratio_g_kg_U,ppmv,ppmv_U,"
    "pressure_hpa,pressure_hpa_U,pressure_source,dew_point_instrument_U_kelvin,"
    "ambient_temperature_instrument_U_kelvin,stable,excluded,"
    "device_1_reading,device_1_deviation,device_1_deviation_U,device_1_verdict,"
    "device_2_reading,device_2_deviation,device_2_deviation_U,device_2_verdict\n";

// The RH probe reads 53.1 % against 52.5 % ± 1.1 %: deviation 0.6, U = 2·√(0.55² +
// (0.1/(2√3))²) = 1.10151, 0.6 + 1.10151 <= 2: a pass. The thermometer reads 69.0 °F
// against 20.5 °C = 68.9 °F ± 0.36 °F: deviation 0.1, U = 2·√(0.18² + 0.0288675²) = 0.3646,
// within 0.5: a pass, on a point that is excluded. (The deviation is 0.0999999999999943 in
// binary, and six significant digits of it are "0.1000000", as the record writes it.)
const char kFirstRow[] =
    "2026-12-10T13:15:00.123+01:00,601,600.000,°C,"
    "10.0000,0.200000,0.00500000,-0.0100000,20.0000,0.200000,0.0200000,0.0500000,"
    "1234.56,15.2000,,,52.5000,1.10000,,,9.40000,0.120000,7.65000,0.100000,12300.0,160.000,"
    "1013.25,30.0000,standard,0.200000,0.200000,1,0,"
    "53.1000,0.600000,1.10151,pass,,,,\n";
const char kSecondRow[] =
    "2026-12-10T14:02:30.000+01:00,300,299.000,°C,"
    "10.5000,0.200000,0.0100000,0.200000,20.5000,0.200000,0.0300000,-0.100000,"
    "1234.56,15.2000,,,52.5000,1.10000,,,9.40000,0.120000,7.65000,0.100000,12300.0,160.000,"
    "1000.00,1.00000,instrument,0.200000,0.200000,0,1,"
    ",,,,69.0000,0.1000000,0.364600,pass\n";

std::string Expected() {
    return std::string(
               "#hygrometer-points,1\n"
               "#instrument,KRT20 v1.3,012345,1.3\n"
               "#operator,Jan Kowalski\n"
               "#formulations,water_above_0c,0.000050000,water_at_minus_100c,0.0100000,"
               "ice_at_0c,0.000160000,ice_at_minus_100c,0.00500000,"
               "enhancement_factor,0.000500000\n"
               "#device,1,\"Sonda \"\"A\"\", hala B\",relative_humidity,%,0.100000,"
               "2.00000\n"
               "#device,2,Termometr,temperature,°F,0.100000,0.500000\n") +
           kHeader + kFirstRow + kSecondRow;
}

TEST(PointsFileText, RowForRow) {
    const PointsFile f = TwoDevicesTwoPoints();
    EXPECT_EQ(PointsFileText(f).toStdString(), Expected());
    EXPECT_EQ(PointsFileRow(f, 1).toStdString(), kSecondRow);
    EXPECT_EQ(PointColumns(0).size(), kPointColumnCount);
    EXPECT_EQ(PointColumns(2).join(',').toStdString() + "\n", kHeader);
    const QStringList fields = PointFields(f, 0);
    ASSERT_EQ(fields.size(), PointColumns(2).size());
    EXPECT_EQ(fields[kPressureSourceColumn], "standard");
    EXPECT_EQ(fields.last(), "");
}

TEST(PointsFileText, ReadsBackExactly) {
    const PointsFile f = TwoDevicesTwoPoints();
    const PointsFileRead read = ParsePointsFile(PointsFileText(f));
    ASSERT_TRUE(read.file.has_value()) << PointsFileErrorText(read.error).toStdString();
    EXPECT_EQ(*read.file, f);
    EXPECT_EQ(read.file->points[0].point.time.offsetFromUtc(), 3600);
    EXPECT_EQ(PointsFileText(*read.file), PointsFileText(f));

    // CR LF line ends, blank lines and a last line without its end read the same.
    QByteArray loose = PointsFileText(f);
    loose.replace("\n", "\r\n");
    loose.insert(loose.indexOf("#operator"), "\r\n");
    loose.chop(2);
    const PointsFileRead again = ParsePointsFile(loose);
    ASSERT_TRUE(again.file.has_value()) << PointsFileErrorText(again.error).toStdString();
    EXPECT_EQ(*again.file, f);
}

TEST(PointsFileText, AFileWithoutPointsOrDevices) {
    PointsFile empty;
    const PointsFileRead read = ParsePointsFile(PointsFileText(empty));
    ASSERT_TRUE(read.file.has_value()) << PointsFileErrorText(read.error).toStdString();
    EXPECT_EQ(*read.file, empty);
}

TEST(PointsFileEdits, KeepOneReadingPerDeviceAndRefuseWhatDoesNotExist) {
    PointsFile f = TwoDevicesTwoPoints();
    EXPECT_EQ(f.points[0].readings.size(), 2u);
    EXPECT_FALSE(SetReading(f, 2, 0, 1.0));
    EXPECT_FALSE(SetReading(f, 0, 2, 1.0));
    EXPECT_FALSE(SetReading(f, 0, 0, std::nan("")));
    EXPECT_FALSE(SetExcluded(f, 5, true));
    EXPECT_FALSE(AddDevice(f, {"", DeviceQuantity::DewPoint, DeviceUnit::Celsius, 0.1, 0.5}));
    EXPECT_TRUE(SetReading(f, 0, 0, 53.123456789));
    EXPECT_EQ(f.points[0].readings[0], 53.1235) << "kept as written";
    EXPECT_TRUE(SetReading(f, 0, 0, std::nullopt));
    EXPECT_FALSE(CompareAt(f, 0, 0).has_value());
    ASSERT_TRUE(CompareAt(f, 1, 1).has_value());
    EXPECT_EQ(CompareAt(f, 1, 1)->verdict, Verdict::Pass);

    SetOperator(f, "Anna\nNowak");
    EXPECT_EQ(f.operatorName, "Anna Nowak");
    SetInstrument(f, {QString(300, 'x'), "", ""});
    EXPECT_EQ(f.instrument.identification.size(), kLongestText);
}

class PointsFileStoreTest : public ScratchFilesTest {
  protected:
    fs::path Dir() const { return fs::path(dir_.path().toStdString()); }
    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

TEST_F(PointsFileStoreTest, NamedLikeTheDatedRecord) {
    const QDateTime start(QDate(2026, 12, 10), QTime(13, 15, 0), QTimeZone(3600));
    EXPECT_EQ(PointsFileName("dir", start, [](const std::string&) { return false; }),
              "dir/points-20261210-131500.csv");
    EXPECT_EQ(PointsFileName("", start, [](const std::string&) { return false; }),
              "points-20261210-131500.csv");
    const std::string taken = (Dir() / "points-20261210-131500.csv").string();
    std::ofstream(taken) << "x";
    EXPECT_EQ(PointsFileName(Dir().string(), start),
              (Dir() / "points-20261210-131500-2.csv").string());
}

// A run records two points, ends, and the next run is given the file: it reads it, records a
// third point and appends it; the typed reading and the devices are still there.
TEST_F(PointsFileStoreTest, ContinuedAfterARestart) {
    const std::string path = (Dir() / "points-20261210-131500.csv").string();
    PointsFile first;
    SetOperator(first, "Jan Kowalski");
    ASSERT_TRUE(
        AddDevice(first, {"RH", DeviceQuantity::RelativeHumidity, DeviceUnit::Percent, 0.1, 2.0}));
    ASSERT_TRUE(AddPoint(first, FirstPoint()));
    ASSERT_EQ(AppendPointToFile(path, first, 0), 0) << "a new file gets everything";
    ASSERT_TRUE(SetReading(first, 0, 0, 53.1));
    ASSERT_EQ(RewritePointsFile(path, first), 0);
    ASSERT_TRUE(AddPoint(first, SecondPoint()));
    ASSERT_EQ(AppendPointToFile(path, first, 1), 0);
    EXPECT_EQ(Contents(path), PointsFileText(first).toStdString());

    // The next run.
    PointsFileRead read = LoadPointsFile(path);
    ASSERT_TRUE(read.file.has_value()) << PointsFileErrorText(read.error).toStdString();
    PointsFile second = *read.file;
    EXPECT_EQ(second, first);
    CalibrationPoint third = SecondPoint();
    third.time = third.time.addSecs(3600);
    ASSERT_TRUE(AddPoint(second, third));
    const auto before = fs::file_size(path);
    ASSERT_EQ(AppendPointToFile(path, second, 2), 0);
    EXPECT_EQ(fs::file_size(path),
              before + static_cast<std::uintmax_t>(PointsFileRow(second, 2).size()))
        << "appended only";
    read = LoadPointsFile(path);
    ASSERT_TRUE(read.file.has_value()) << PointsFileErrorText(read.error).toStdString();
    EXPECT_EQ(*read.file, second);
    EXPECT_EQ(read.file->points[0].readings[0], 53.1);
    EXPECT_FALSE(fs::exists(path + ".tmp"));
}

// A file someone saved without its last line end: the next row still goes on a line of its
// own.
TEST_F(PointsFileStoreTest, AppendsOnANewLineWhenTheLastOneHasNoEnd) {
    const std::string path = (Dir() / "points.csv").string();
    PointsFile f;
    ASSERT_TRUE(AddPoint(f, FirstPoint()));
    QByteArray text = PointsFileText(f);
    text.chop(1);
    std::ofstream(path, std::ios::binary) << text.toStdString();
    ASSERT_TRUE(AddPoint(f, SecondPoint()));
    ASSERT_EQ(AppendPointToFile(path, f, 1), 0);
    const PointsFileRead read = LoadPointsFile(path);
    ASSERT_TRUE(read.file.has_value()) << PointsFileErrorText(read.error).toStdString();
    EXPECT_EQ(read.file->points.size(), 2u);
}

TEST_F(PointsFileStoreTest, FilesThatCannotBeRead) {
    PointsFileRead read = LoadPointsFile((Dir() / "none.csv").string());
    EXPECT_FALSE(read.file.has_value());
    EXPECT_EQ(read.error.kind, PointsFileError::Kind::Unreadable);
    EXPECT_EQ(read.error.systemError, ENOENT);
    EXPECT_EQ(PointsFileErrorText(read.error),
              "Nie można odczytać pliku punktów: Nie znaleziono pliku.");
    read = LoadPointsFile(Dir().string());
    EXPECT_EQ(read.error.kind, PointsFileError::Kind::Unreadable);

    // One byte over the bound is too large, and nothing more is read.
    const std::string large = (Dir() / "large.csv").string();
    std::ofstream(large).close();
    fs::resize_file(large, kLargestPointsFile + 1);
    read = LoadPointsFile(large);
    EXPECT_EQ(read.error.kind, PointsFileError::Kind::TooLarge);
    EXPECT_EQ(PointsFileErrorText(read.error), "Plik punktów jest większy niż 16 MB.");
}

TEST_F(PointsFileStoreTest, AFailedRewriteLeavesTheFileAsItWas) {
    const std::string path = (Dir() / "points.csv").string();
    PointsFile f = TwoDevicesTwoPoints();
    ASSERT_EQ(RewritePointsFile(path, f), 0);
    // The temporary's name is taken by a directory: the rewrite cannot even begin.
    fs::create_directory(path + ".tmp");
    SetExcluded(f, 0, true);
    EXPECT_NE(RewritePointsFile(path, f), 0);
    EXPECT_EQ(Contents(path), Expected());
    EXPECT_NE(RewritePointsFile((Dir() / "missing" / "points.csv").string(), f), 0);
}

// A broken file: the first thing wrong, with its line, in the operator's words.
TEST(PointsFileReader, TellsWhatIsWrongAndWhere) {
    const std::string good = Expected();
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const std::string longLine = "#operator," + std::string(kLongestPointsLine, 'x') + "\n";
    struct Row {
        const char* what;
        std::string text;
        PointsFileError::Kind kind;
        const char* message;
    };
    using Kind = PointsFileError::Kind;
    const Row rows[] = {
        {"empty", "", Kind::NotAPointsFile,
         "Wiersz 1: to nie jest plik punktów (brak „#hygrometer-points”)."},
        {"the dated record instead", "time,sample,dew_point\n", Kind::NotAPointsFile,
         "Wiersz 1: to nie jest plik punktów (brak „#hygrometer-points”)."},
        {"a newer version", replaced("#hygrometer-points,1", "#hygrometer-points,2"),
         Kind::NewerVersion,
         "Wiersz 1: plik punktów w wersji 2, nowszej niż ta, którą zna program."},
        {"no header", "#hygrometer-points,1\n#operator,x\n", Kind::NoHeader,
         "Plik punktów kończy się przed wierszem nagłówka."},
        {"an unknown line", replaced("#operator,", "#operatorka,"), Kind::UnknownLine,
         "Wiersz 3: nieznany rodzaj wiersza „#operatorka”."},
        {"a second operator",
         replaced("#operator,Jan Kowalski\n", "#operator,Jan Kowalski\n#operator,Anna\n"),
         Kind::RepeatedLine, "Wiersz 4: drugi wiersz „#operator”."},
        {"a field too many",
         replaced("#instrument,KRT20 v1.3,012345,1.3", "#instrument,KRT20 v1.3,012345,1.3,x"),
         Kind::FieldCount, "Wiersz 2: pól: 5, a powinno być 4."},
        {"a formulation's key", replaced("ice_at_0c,", "ice_at_1c,"), Kind::BadValue,
         "Wiersz 4: „ice_at_1c” w kolumnie „ice_at_0c” nie jest poprawną wartością."},
        {"a negative formulation",
         replaced("enhancement_factor,0.000500000", "enhancement_factor,-0.0005"), Kind::BadValue,
         "Wiersz 4: „-0.0005” w kolumnie „enhancement_factor” nie jest poprawną wartością."},
        {"devices out of order", replaced("#device,2,", "#device,3,"), Kind::DeviceOrder,
         "Wiersz 6: urządzenie nr „3”, a powinno być nr 2."},
        {"a device's unit", replaced("temperature,°F", "temperature,%"), Kind::BadValue,
         "Wiersz 6: „%” w kolumnie „unit” nie jest poprawną wartością."},
        {"a device's quantity", replaced("temperature,°F", "pressure,°F"), Kind::BadValue,
         "Wiersz 6: „pressure” w kolumnie „quantity” nie jest poprawną wartością."},
        {"a decimal comma", replaced(",0.100000,0.500000\n", ",\"0,1\",0.500000\n"), Kind::BadValue,
         "Wiersz 6: „0,1” w kolumnie „resolution” nie jest poprawną wartością."},
        {"an unclosed quote", replaced("hala B\",", "hala B,"), Kind::UnclosedQuote,
         "Wiersz 5: cudzysłów nie jest zamknięty."},
        {"a renamed column", replaced(",ppmv_U,", ",ppmv_u,"), Kind::BadHeader,
         "Wiersz 7: kolumna 26 nazywa się „ppmv_u”, a powinna „ppmv_U”."},
        {"a device's columns missing",
         replaced(",device_2_reading,device_2_deviation,device_2_deviation_U,device_2_verdict\n",
                  "\n"),
         Kind::FieldCount, "Wiersz 7: pól: 37, a powinno być 41."},
        {"a row cut short", replaced(",53.1000,0.600000,1.10151,pass,,,,\n", ",53.1\n"),
         Kind::FieldCount, "Wiersz 8: pól: 34, a powinno być 41."},
        {"a time without its offset",
         replaced("2026-12-10T13:15:00.123+01:00", "2026-12-10T13:15:00.123"), Kind::BadValue,
         "Wiersz 8: „2026-12-10T13:15:00.123” w kolumnie „time” nie jest poprawną wartością."},
        {"a sample count with a sign", replaced(",601,", ",-601,"), Kind::BadValue,
         "Wiersz 8: „-601” w kolumnie „samples” nie jest poprawną wartością."},
        {"a number in words", replaced(",1234.56,", ",lots,"), Kind::BadValue,
         "Wiersz 8: „lots” w kolumnie „vapour_pressure_pa” nie jest poprawną wartością."},
        {"no pressure", replaced(",1013.25,", ",,"), Kind::BadValue,
         "Wiersz 8: „” w kolumnie „pressure_hpa” nie jest poprawną wartością."},
        {"an unknown pressure source", replaced(",standard,", ",guessed,"), Kind::BadValue,
         "Wiersz 8: „guessed” w kolumnie „pressure_source” nie jest poprawną wartością."},
        {"a flag that is no flag", replaced(",1,0,53.1000", ",yes,0,53.1000"), Kind::BadValue,
         "Wiersz 8: „yes” w kolumnie „stable” nie jest poprawną wartością."},
        {"a reading that is no number", replaced(",69.0000,", ",69.0 °F,"), Kind::BadValue,
         "Wiersz 9: „69.0 °F” w kolumnie „device_2_reading” nie jest poprawną wartością."},
        {"a \"#\" line among the rows", good + "#operator,x\n", Kind::MetadataAfterHeader,
         "Wiersz 10: wiersz „#” po wierszu nagłówka."},
        {"a line too long", replaced("#operator,Jan Kowalski\n", longLine), Kind::LineTooLong,
         "Wiersz 3: dłuższy niż 65536 bajtów."},
        {"bytes that are no UTF-8", replaced("Jan Kowalski", "Jan \xff\xfe"), Kind::NotUtf8,
         "Wiersz 3: tekst nie jest zapisany w UTF-8."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const PointsFileRead read =
            ParsePointsFile(QByteArrayView(r.text.data(), static_cast<qsizetype>(r.text.size())));
        EXPECT_FALSE(read.file.has_value());
        EXPECT_EQ(read.error.kind, r.kind);
        EXPECT_EQ(PointsFileErrorText(read.error).toStdString(), r.message);
    }
}

TEST(PointsFileReader, TheEnglishProgramSaysItInEnglish) {
    PointsFileError e;
    e.kind = PointsFileError::Kind::BadValue;
    e.line = 8;
    e.column = "ppmv";
    e.found = "1,5";
    EXPECT_EQ(InEnglish([&] { return PointsFileErrorText(e); }),
              "Line 8: “1,5” in column “ppmv” is not a valid value.");
    e.kind = PointsFileError::Kind::NoHeader;
    EXPECT_EQ(InEnglish([&] { return PointsFileErrorText(e); }),
              "The points file ends before its header row.");
}

TEST(PointsFileReader, BoundsOnDevicesAndPoints) {
    std::string text = "#hygrometer-points,1\n";
    for (std::size_t d = 1; d <= kMostDevices + 1; ++d) {
        text += "#device," + std::to_string(d) + ",T,temperature,°C,0.1,0.5\n";
    }
    PointsFileRead read = ParsePointsFile(QByteArray::fromStdString(text));
    EXPECT_EQ(read.error.kind, PointsFileError::Kind::TooManyDevices);
    EXPECT_EQ(read.error.line, static_cast<qsizetype>(kMostDevices + 2));

    PointsFile many;
    for (std::size_t i = 0; i < kMostPoints; ++i) {
        ASSERT_TRUE(AddPoint(many, FirstPoint()));
    }
    EXPECT_FALSE(AddPoint(many, FirstPoint()));
    QByteArray full = PointsFileText(many);
    read = ParsePointsFile(full);
    ASSERT_TRUE(read.file.has_value()) << PointsFileErrorText(read.error).toStdString();
    full += PointsFileRow(many, 0);
    read = ParsePointsFile(full);
    EXPECT_EQ(read.error.kind, PointsFileError::Kind::TooManyPoints);
    EXPECT_EQ(PointsFileErrorText(read.error).toStdString(),
              "Wiersz 10006: więcej niż 10000 punktów.");
}

}  // namespace
}  // namespace calibration
