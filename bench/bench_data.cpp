#include "bench_data.h"

#include <QDateTime>
#include <QFile>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "chart/compact_point.h"
#include "chart/ole_date.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

MeasurementSample SampleAt(long second) {
    const double day = 2.0 * kPi * static_cast<double>(second % 86'400) / 86'400.0;
    const int noise = static_cast<int>((second * 7919) % 11) - 5;
    MeasurementSample s;
    s.DewPoint = static_cast<std::int16_t>(std::lround(-500 + 300 * std::sin(day)) + noise);
    s.HeadTemperature = static_cast<std::int16_t>(std::lround(2500 + 200 * std::sin(day)));
    s.MirrorDewLevel = static_cast<std::uint8_t>(200 + noise);
    s.PeltierPower = static_cast<std::uint8_t>(std::lround(120 + 60 * std::cos(day)));
    s.FrostLevel = static_cast<std::int16_t>(noise + 5);
    s.MirrorTemperature = static_cast<std::int16_t>(std::lround(-480 + 300 * std::sin(day)));
    s.AmbientTemperature =
        static_cast<std::int16_t>(std::lround(2000 + 200 * std::cos(day)) + noise / 2);
    return s;
}

std::int64_t SecondNowMilliseconds() {
    const QDateTime now = QDateTime::currentDateTime();
    return *WholeMilliseconds(OleDate(now.date(), QTime(0, 0))) +
           now.time().msecsSinceStartOfDay() / 1000 * std::int64_t{1000};
}

bool WriteMeasurementLog(const QString& path, long lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    std::string block;
    block.reserve(1 << 22);
    for (long i = 1; i <= lines; ++i) {
        const long second = (50'000 + i) % 86'400;
        const MeasurementSample s = SampleAt(i);
        char line[128];
        // The sample number stays within five digits: a longer first column moves the time.
        const int length =
            std::snprintf(line, sizeof line,
                          "%ld\t%02ld:%02ld:%02ld\t%d\t%d\t%d\t%.2f\t45,12\t%.2f\t18,00\t%d\t0\r\n",
                          1 + (i - 1) % 99'999, second / 3600, second / 60 % 60, second % 60,
                          s.DewPoint, s.HeadTemperature, s.AmbientTemperature, s.DewPoint / 100.0,
                          s.AmbientTemperature / 100.0, s.MirrorDewLevel);
        block.append(line, static_cast<std::size_t>(length));
        if (block.size() > (1 << 22) - 256 || i == lines) {
            if (file.write(block.data(), static_cast<qint64>(block.size())) !=
                static_cast<qint64>(block.size())) {
                return false;
            }
            block.clear();
        }
    }
    return file.flush();
}

double StatusMegabytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stod(line.substr(std::string(field).size())) / 1024.0;
        }
    }
    return 0.0;
}
