#pragma once
// Creating the window's controls at fixed pixel positions on a tab page. Every control gets
// its design name as object name so code and tests can find it by that name.

#include <QRect>
#include <QString>
#include <QStringList>

class QColor;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Pixel sizes of the design's fonts.
inline constexpr int kWindowFontPixels = 11;
inline constexpr int kReadoutCaptionPixels = 13;
inline constexpr int kLargeTextPixels = 16;
inline constexpr int kHeadingPixels = 19;
inline constexpr int kDewPointPixels = 85;
inline constexpr int kReadoutPixels = 43;

// Font of a control relative to the window's font: 0 keeps the window's pixel size.
struct FontLook {
    int pixelSize = 0;
    bool bold = false;
};

// A plain-text label at `design`. Its size grows to fit its text where the design's size is
// too small (or not given), the way an auto-sized caption does; the position never moves.
QLabel* MakeLabel(QWidget* page, const char* name, const QString& text, const QRect& design,
                  FontLook look = {});

// A plain-text caption ending just left of `control` on the same row.
QLabel* MakeCaptionLeftOf(QWidget* page, const char* name, const QString& text,
                          const QWidget* control);

// Sets a label's text at run time, growing the label (never shrinking it) so the text is
// whole; the position stays.
void ShowLabelText(QLabel* label, const QString& text);

QLineEdit* MakeEdit(QWidget* page, const char* name, const QString& text, const QRect& geometry);

// A drop-down list (not editable) with `items`; `index` -1 starts with no selection.
// Buttons and lists were laid out for a narrow font: where the installed font is wider, their
// font is made a little smaller when that lets the caption or the widest item fit; a list
// whose widest item fits at no readable size grows to the right instead.
QComboBox* MakeComboBox(QWidget* page, const char* name, const QStringList& items, int index,
                        const QRect& geometry);

QPushButton* MakeButton(QWidget* page, const char* name, const QString& text, const QRect& geometry,
                        FontLook look = {});

void SetFontLook(QWidget* widget, FontLook look);

// Where the edit can draw its text without scrolling it.
QSize EditTextRoom(const QLineEdit* edit);

// A read-only readout in bold type of `pixelSize` on `background` (text in `text` when it is
// valid).
void MakeReadout(QLineEdit* edit, int pixelSize, const QColor& background, const QColor& text);

// Shows `text` whole: at `designPixels` when it fits there, otherwise at the largest size that
// fits, so a readout never scrolls a character (a minus sign) out of view.
void ShowReadoutText(QLineEdit* edit, const QString& text, int designPixels);

// A caption in the status colour.
void MakeRed(QLabel* label);

// The colour `widget` draws its text in, whichever role its style takes it from.
void SetTextColour(QWidget* widget, const QColor& colour);

void HideAndDisable(QWidget* widget);
