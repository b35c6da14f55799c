#include "settings/settings_lists.h"

#include <cstddef>

namespace {

// `index` when the list has that item, otherwise -1.
int IndexIn(const SettingsItemList& list, int index) {
    return HasItem(list, index) ? index : -1;
}

}  // namespace

bool HasItem(const SettingsItemList& list, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.items.size();
}

int ItemIndexForCode(const SettingsItemList& list, int code) {
    const int offset = code - list.base;
    if (offset < 0) {
        return -1;
    }
    return IndexIn(list, offset / list.step);
}

int ExactItemIndex(const SettingsItemList& list, int code) {
    const int offset = code - list.base;
    if (offset < 0 || offset % list.step != 0) {
        return -1;
    }
    return IndexIn(list, offset / list.step);
}

int CodeOfItem(const SettingsItemList& list, int index) {
    return index * list.step + list.base;
}

QString ItemText(const SettingsItemList& list, int index) {
    const char* item = list.items[static_cast<std::size_t>(index)];
    if (list.context != nullptr) {
        return QCoreApplication::translate(list.context, item);
    }
    return QString::fromUtf8(item);
}

QStringList ItemTexts(const SettingsItemList& list) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(list.items.size()));
    for (int i = 0; HasItem(list, i); ++i) {
        texts << ItemText(list, i);
    }
    return texts;
}
