#include "app/item_lists.h"

QStringList DisplayUnitItems() {
    return {"°Cdp", "°Fdp", "ppmV", "gm-3", "%Rh", "°C", "°F", "°C-°Cdp", "°F-°Fdp"};
}

QStringList TemperatureScaleItems() {
    return {"°C", "°F"};
}

QStringList OutputRangeItems() {
    return {"0-20mA", "4-20mA"};
}

QStringList AlarmModeItems() {
    return {"0 wyłączony",        "1 górny", "2 dolny",
            "3 pomiędzy",         "4 poza",  "5 górny z histerezą",
            "6 dolny z histerezą"};
}

QStringList BuzzerItems() {
    return {"OFF", "AL1", "AL2", "AL1&AL2"};
}

QStringList LoggerModeItems() {
    return {"Loop", "Stop"};
}

QStringList RecordIntervalItems() {
    return {"OFF", "1min", "2min", "5min", "10min", "15min", "30min",
            "1h",  "2h",   "4h",   "6h",   "12h",   "24h"};
}

QStringList HiddenUnitItems() {
    return {"°Cdp", "°Fdp", "g/m3", "%Rh", "aw", "°C", "°F", "t-tdp"};
}
