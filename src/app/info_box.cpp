#include "app/info_box.h"

#include <QMessageBox>

void ShowInfoBox(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(parent);
    box.setObjectName("InfoBox");
    box.setWindowTitle(caption);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}
