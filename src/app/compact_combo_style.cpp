#include "app/compact_combo_style.h"

namespace {

// Wide enough for the arrow glyph and the line beside it.
constexpr int kArrowButtonWidth = 13;

}  // namespace

QRect CompactComboStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                        SubControl part, const QWidget* widget) const {
    QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    if (control != CC_ComboBox || (part != SC_ComboBoxArrow && part != SC_ComboBoxEditField)) {
        return rect;
    }
    const QRect arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
    const int spare = arrow.width() - kArrowButtonWidth;
    if (spare <= 0) {
        return rect;
    }
    if (part == SC_ComboBoxArrow) {
        rect.setLeft(rect.left() + spare);
    } else if (rect.right() < arrow.left() + spare) {
        rect.setRight(rect.right() + spare);
    }
    return rect;
}
