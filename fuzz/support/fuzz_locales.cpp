#include "support/fuzz_locales.h"

#include <array>

namespace {

FuzzLocale Make(const char* name) {
    const QLocale locale{QString::fromLatin1(name)};
    return {locale, TimeTextRules::FromLocale(locale)};
}

}  // namespace

std::span<const FuzzLocale> FuzzLocales() {
    static const std::array<FuzzLocale, 6> locales = {
        Make("C"), Make("en_US"), Make("pl_PL"), Make("fi_FI"), Make("ko_KR"), Make("ar_EG"),
    };
    return locales;
}
