#pragma once
// A test's own folder of small files (certificates, password and configuration files),
// removed with the test.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

class ScratchFilesTest : public ::testing::Test {
  protected:
    // Writes `text` to `name` in the folder; its path.
    QString File(const QString& name, const QByteArray& text) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    // The same for a file holding a secret: its owner and group alone may read it.
    QString SecretFile(const QString& name, const QByteArray& text) {
        const QString path = File(name, text);
        EXPECT_TRUE(QFile::setPermissions(
            path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
        return path;
    }
    QTemporaryDir dir_;
};
