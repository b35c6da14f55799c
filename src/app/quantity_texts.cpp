#include "app/quantity_texts.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kMostDecimals = 6;

}  // namespace

QString TemperatureUnit(humidity::TemperatureScale scale) {
    return scale == humidity::TemperatureScale::Fahrenheit ? QStringLiteral("°F")
                                                           : QStringLiteral("°C");
}

QString SignificantNumber(double value, int significant, const QLocale& locale) {
    if (value == 0.0 || !std::isfinite(value)) {
        return locale.toString(0.0, 'f', std::max(0, significant - 1));
    }
    const int wholeDigits = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
    const int decimals = std::clamp(significant - wholeDigits, 0, kMostDecimals);
    const double rounded = std::round(value * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    // No "-0.00" for a value that rounds to zero.
    return locale.toString(rounded == 0.0 ? 0.0 : value, 'f', decimals);
}

QString QuantityReadout(std::optional<double> value, std::uint8_t problems, int significant,
                        const QLocale& locale) {
    if (value) {
        return SignificantNumber(*value, significant, locale);
    }
    return problems != humidity::kNoProblem
               ? QCoreApplication::translate("Quantities", "poza zakresem")
               : QStringLiteral("—");
}

QString PressureSourceText(humidity::PressureSource source) {
    switch (source) {
        case humidity::PressureSource::CommandLine:
            return QCoreApplication::translate("Quantities", "z wiersza poleceń");
        case humidity::PressureSource::Instrument:
            return QCoreApplication::translate("Quantities", "z przyrządu");
        case humidity::PressureSource::Standard:
            break;
    }
    return QCoreApplication::translate("Quantities", "standardowe");
}

QString VerdictText(bool stable, const QDateTime& since) {
    if (!stable) {
        return QCoreApplication::translate("Quantities", "Niestabilny");
    }
    return QCoreApplication::translate("Quantities", "Stabilny od %1")
        .arg(since.toString(QStringLiteral("HH:mm:ss")));
}

QString StableForText(qint64 seconds) {
    seconds = std::max<qint64>(0, seconds);
    if (seconds < 60) {
        return QCoreApplication::translate("Quantities", "%1 s").arg(seconds);
    }
    if (seconds < 3600) {
        return QCoreApplication::translate("Quantities", "%1 min %2 s")
            .arg(seconds / 60)
            .arg(seconds % 60);
    }
    return QCoreApplication::translate("Quantities", "%1 h %2 min")
        .arg(seconds / 3600)
        .arg(seconds % 3600 / 60, 2, 10, QLatin1Char('0'));
}

QString StatusVerdictText(bool stable, const QDateTime& since) {
    if (!stable) {
        return QCoreApplication::translate("Quantities", "Punkt rosy: niestabilny");
    }
    return QCoreApplication::translate("Quantities", "Punkt rosy: stabilny od %1")
        .arg(since.toString(QStringLiteral("HH:mm:ss")));
}
