#pragma once
// Closes every modal box the code under test opens, recording its caption and text, so a
// test can drive handlers that stop at a message box.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <QStringList>

class ModalCloser {
  public:
    ModalCloser() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { CloseActive(); });
        timer_.start();
    }

    struct Box {
        QString caption;
        QString text;
        Qt::TextFormat format = Qt::AutoText;
        QString objectName;
    };
    const QList<Box>& boxes() const { return boxes_; }
    void clear() { boxes_.clear(); }

  private:
    void CloseActive() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        Box box{modal->windowTitle(), {}, Qt::AutoText, modal->objectName()};
        if (auto* message = qobject_cast<QMessageBox*>(modal)) {
            box.text = message->text();
            box.format = message->textFormat();
            boxes_.append(box);
            message->done(QMessageBox::Ok);
        } else {
            boxes_.append(box);
            modal->close();
        }
    }

    QTimer timer_;
    QList<Box> boxes_;
};
