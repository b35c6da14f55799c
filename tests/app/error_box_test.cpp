#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "app/app_texts.h"
#include "app/error_box.h"

namespace {

TEST(ErrorBoxTextTest, AppendsFullStopOnlyAfterCharactersSortingAfterIt) {
    struct Case {
        const char* message;
        const char* expected;
    };
    const Case cases[] = {
        {"x", "x."},
        {"abc.", "abc."},
        {"ends with !", "ends with !"},  // '!' sorts before '.'
        {"Disk full", "Disk full."},
        {"", ""},
        {"I/O error 103", "I/O error 103."},
        {"'abc' is not a valid integer value", "'abc' is not a valid integer value."},
        {"path/", "path/."},  // '/' is the character right after '.'
        {"dash-", "dash-"},   // '-' is the character right before '.'
        {"trailing ", "trailing "},
        {"zażółć", "zażółć."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(ErrorBoxText(QString::fromUtf8(c.message)), QString::fromUtf8(c.expected));
    }
}

// What the box showed, read while it was open.
struct SeenBox {
    bool found = false;
    QString objectName;
    QString caption;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    Qt::TextFormat labelFormat = Qt::AutoText;
    QString labelText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Shows the box and closes it with its OK button as soon as it is the active modal window.
SeenBox ShowAndClose(const QString& message) {
    SeenBox seen;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        closer.stop();
        seen.found = true;
        seen.objectName = box->objectName();
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.format = box->textFormat();
        if (const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            seen.labelFormat = label->textFormat();
            seen.labelText = label->text();
        }
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            ok->click();
        } else {
            box->reject();
        }
    });
    closer.start();
    ShowErrorBox(nullptr, message);
    return seen;
}

TEST(ShowErrorBoxTest, ShowsMessageAsPlainTextUnderApplicationTitle) {
    struct Case {
        const char* message;
        const char* shown;
    };
    const Case cases[] = {
        {"<b>x</b>", "<b>x</b>."},
        {"Disk full", "Disk full."},
        {"'<i>1,5</i>' is not a valid floating point value.",
         "'<i>1,5</i>' is not a valid floating point value."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const SeenBox seen = ShowAndClose(QString::fromUtf8(c.message));
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.objectName, "ErrorBox");
        EXPECT_EQ(seen.caption, QString::fromUtf8(kApplicationTitle));
        EXPECT_EQ(seen.text, QString::fromUtf8(c.shown));
        EXPECT_EQ(seen.format, Qt::PlainText);
        EXPECT_EQ(seen.labelFormat, Qt::PlainText);
        EXPECT_EQ(seen.labelText, QString::fromUtf8(c.shown));
        EXPECT_EQ(seen.icon, QMessageBox::Critical);
        EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

}  // namespace
