#pragma once
// The window's drop-down lists were laid out for a system whose arrow button is narrow; with
// the toolkit's wider one, a short item ("5min") in a 49-pixel list loses its last letter.
// This style gives the list a narrower arrow button and its text the room that frees.

#include <QProxyStyle>

class CompactComboStyle : public QProxyStyle {
    Q_OBJECT
  public:
    using QProxyStyle::QProxyStyle;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
};
