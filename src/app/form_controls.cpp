#include "app/form_controls.h"

#include <QAbstractItemView>
#include <QColor>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>

#include "app/compact_combo_style.h"

namespace {

// Gap between a caption and the control it names.
constexpr int kCaptionGap = 6;
// Space QLineEdit keeps between its frame and the text on each side.
constexpr int kLineEditTextMargin = 2;
// Room for the cursor and glyphs that overhang their advance.
constexpr int kLineEditOverhang = 2;

// Space kept between a button's or a list's text and the edge of its text area.
constexpr int kButtonTextMargin = 3;
constexpr int kComboTextMargin = 2;
// Below this a caption gets hard to read; it is better cut off than shrunk further.
constexpr int kSmallestFittedFont = 9;

void Name(QWidget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
}

bool TextsFit(const QFont& font, const QStringList& texts, QSize room) {
    const QFontMetrics metrics(font);
    return metrics.height() <= room.height() &&
           std::all_of(texts.begin(), texts.end(), [&](const QString& text) {
               return metrics.horizontalAdvance(text) <= room.width();
           });
}

// Leaves the font alone when it already fits or when no size down to `minPixelSize` does.
void ShrinkFontToFit(QWidget* widget, const QStringList& texts, QSize room, int minPixelSize) {
    QFont font = widget->font();
    for (int size = font.pixelSize(); size >= minPixelSize; --size) {
        font.setPixelSize(size);
        if (TextsFit(font, texts, room)) {
            if (size != widget->font().pixelSize()) {
                widget->setFont(font);
            }
            return;
        }
    }
}

void FitFontToButton(QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = button->rect();
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QSize room(contents.width() - 2 * kButtonTextMargin, contents.height());
    ShrinkFontToFit(button, {button->text()}, room, kSmallestFittedFont);
}

void FitFontToComboBox(QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.rect = combo->rect();
    option.editable = combo->isEditable();
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items << combo->itemText(i);
    }
    const QSize room(field.width() - 2 * kComboTextMargin, field.height());
    ShrinkFontToFit(combo, items, room, kSmallestFittedFont);
    // Items too long for any readable size: the list grows to the right to show them.
    const QFontMetrics metrics(combo->font());
    int widest = 0;
    for (const QString& item : items) {
        widest = std::max(widest, metrics.horizontalAdvance(item));
    }
    if (widest > room.width()) {
        combo->resize(combo->width() + widest - room.width(), combo->height());
    }
}

}  // namespace

void SetFontLook(QWidget* widget, FontLook look) {
    QFont font = widget->font();
    if (look.pixelSize > 0) {
        font.setPixelSize(look.pixelSize);
    }
    font.setBold(look.bold);
    widget->setFont(font);
}

QLabel* MakeLabel(QWidget* page, const char* name, const QString& text, const QRect& design,
                  FontLook look) {
    auto* label = new QLabel(page);
    Name(label, name);
    label->setTextFormat(Qt::PlainText);
    if (look.pixelSize > 0 || look.bold) {
        SetFontLook(label, look);
    }
    label->setText(text);
    const QSize hint = label->sizeHint();
    label->setGeometry(design.left(), design.top(), std::max(design.width(), hint.width()),
                       std::max(design.height(), hint.height()));
    return label;
}

void ShowLabelText(QLabel* label, const QString& text) {
    label->setText(text);
    const QSize hint = label->sizeHint();
    label->resize(std::max(label->width(), hint.width()), std::max(label->height(), hint.height()));
}

QLabel* MakeCaptionLeftOf(QWidget* page, const char* name, const QString& text,
                          const QWidget* control) {
    QLabel* label = MakeLabel(page, name, text, QRect(control->pos(), QSize()));
    const QRect row = control->geometry();
    const int left = std::max(0, row.left() - kCaptionGap - label->width());
    label->move(left, row.top() + (row.height() - label->height()) / 2);
    return label;
}

QLineEdit* MakeEdit(QWidget* page, const char* name, const QString& text, const QRect& geometry) {
    auto* edit = new QLineEdit(text, page);
    Name(edit, name);
    edit->setGeometry(geometry);
    edit->setCursorPosition(0);
    return edit;
}

QComboBox* MakeComboBox(QWidget* page, const char* name, const QStringList& items, int index,
                        const QRect& geometry) {
    auto* combo = new QComboBox(page);
    Name(combo, name);
    combo->setEditable(false);
    combo->addItems(items);
    combo->setCurrentIndex(index);
    combo->setGeometry(geometry);
    auto* style = new CompactComboStyle();
    style->setParent(combo);
    combo->setStyle(style);
    FitFontToComboBox(combo);
    // The lists are narrower than their longest items: let the drop-down show them whole.
    QAbstractItemView* view = combo->view();
    view->setMinimumWidth(view->sizeHintForColumn(0) + 2 * view->frameWidth() + 4);
    return combo;
}

QPushButton* MakeButton(QWidget* page, const char* name, const QString& text, const QRect& geometry,
                        FontLook look) {
    auto* button = new QPushButton(text, page);
    Name(button, name);
    if (look.pixelSize > 0 || look.bold) {
        SetFontLook(button, look);
    }
    button->setGeometry(geometry);
    FitFontToButton(button);
    return button;
}

QSize EditTextRoom(const QLineEdit* edit) {
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    return {edit->width() - 2 * (frame + kLineEditTextMargin) - kLineEditOverhang,
            edit->height() - 2 * frame};
}

void MakeReadout(QLineEdit* edit, int pixelSize, const QColor& background, const QColor& text) {
    edit->setReadOnly(true);
    SetFontLook(edit, FontLook{pixelSize, true});
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, background);
    if (text.isValid()) {
        palette.setColor(QPalette::Text, text);
    }
    edit->setPalette(palette);
}

void ShowReadoutText(QLineEdit* edit, const QString& text, int designPixels) {
    QFont font = edit->font();
    const QSize room = EditTextRoom(edit);
    int size = designPixels;
    for (; size > 1; --size) {
        font.setPixelSize(size);
        if (TextsFit(font, {text}, room)) {
            break;
        }
    }
    font.setPixelSize(size);
    if (font != edit->font()) {
        edit->setFont(font);
    }
    edit->setText(text);
    edit->setCursorPosition(0);
}

void MakeRed(QLabel* label) {
    SetTextColour(label, QColor(255, 0, 0));
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    // A label on the window's button-coloured background paints with ButtonText, not
    // WindowText: every role a text may be drawn with gets the colour.
    QPalette palette = widget->palette();
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::ButtonText, QPalette::Text, widget->foregroundRole()}) {
        palette.setColor(role, colour);
    }
    widget->setPalette(palette);
}

void HideAndDisable(QWidget* widget) {
    widget->setEnabled(false);
    widget->hide();
}
