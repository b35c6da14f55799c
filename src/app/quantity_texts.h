#pragma once
// The Quantities tab's texts: each quantity with its unit, the window's statistics, and the
// stability verdict, in the interface's language and the operator's locale. A quantity that
// cannot be computed because an input is out of range says so instead of showing a number.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

#include "humidity/humidity_tracker.h"

// The unit of temperatures in `scale`: "°C" or "°F".
QString TemperatureUnit(humidity::TemperatureScale scale);

// A number with `significant` significant digits (at most six decimals), in `locale`:
// 2350.3, 0.050700, -8.9016.
QString SignificantNumber(double value, int significant, const QLocale& locale);

// A quantity's text: the number, "poza zakresem" when it is missing for an input out of
// range (`problems` not 0), "—" when it has no meaning for this sample (a frost point above
// 0 °C).
QString QuantityReadout(std::optional<double> value, std::uint8_t problems, int significant,
                        const QLocale& locale);

// Where the pressure came from: "z przyrządu", "z wiersza poleceń", "standardowe".
QString PressureSourceText(humidity::PressureSource source);

// "Niestabilny" or "Stabilny od 14:03:12": `since` is the local time it turned stable.
QString VerdictText(bool stable, const QDateTime& since);
// How long it has been stable: "45 s", "12 min 5 s", "3 h 07 min".
QString StableForText(qint64 seconds);
// The status bar's part: "Punkt rosy: niestabilny", "Punkt rosy: stabilny od 14:03:12".
QString StatusVerdictText(bool stable, const QDateTime& since);
