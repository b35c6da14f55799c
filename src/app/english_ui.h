#pragma once
// The English interface: captions, the alarm mode lists and the chart title replaced once
// at start, before the window is first shown. Everything else keeps its single form.

#include <cstdint>

class TForm1;

// `englishUi` is the build's flag: 0 keeps the Polish design texts, anything else applies
// the English ones.
void ApplyInterfaceLanguage(TForm1& form, std::int32_t englishUi);
