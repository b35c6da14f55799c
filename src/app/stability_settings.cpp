#include "app/stability_settings.h"

#include <QSettings>

namespace {

const char kWindowKey[] = "stability/window_seconds";
const char kBandKey[] = "stability/band_degrees";
const char kDriftKey[] = "stability/drift_degrees_per_hour";

}  // namespace

humidity::StabilityCriteria LoadStabilityCriteria(const QSettings& settings) {
    const humidity::StabilityCriteria defaults;
    const auto read = [&settings](const char* key, double fallback) {
        bool ok = false;
        const double value = settings.value(QLatin1String(key)).toDouble(&ok);
        return ok ? value : fallback;
    };
    humidity::StabilityCriteria criteria = defaults;
    criteria.windowSeconds = read(kWindowKey, defaults.windowSeconds);
    criteria.bandDegrees = read(kBandKey, defaults.bandDegrees);
    criteria.driftDegreesPerHour = read(kDriftKey, defaults.driftDegreesPerHour);
    return humidity::IsValid(criteria) ? criteria : defaults;
}

void SaveStabilityCriteria(QSettings& settings, const humidity::StabilityCriteria& criteria) {
    settings.setValue(QLatin1String(kWindowKey), criteria.windowSeconds);
    settings.setValue(QLatin1String(kBandKey), criteria.bandDegrees);
    settings.setValue(QLatin1String(kDriftKey), criteria.driftDegreesPerHour);
}
