#include "app/error_box.h"

#include <QMessageBox>

#include "app/app_texts.h"

QString ErrorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
        return message + QLatin1Char('.');
    }
    return message;
}

void ShowErrorBox(QWidget* parent, const QString& message) {
    // Built by hand rather than with QMessageBox::critical so the text format is fixed to
    // plain text before the box is shown: messages carry text from files and the instrument.
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.setIcon(QMessageBox::Critical);
    box.setWindowTitle(QString::fromUtf8(kApplicationTitle));
    box.setTextFormat(Qt::PlainText);
    box.setText(ErrorBoxText(message));
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}
