#include "texts/secret_file.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// "0644": the rights as chmod writes them.
QString ModeText(QFileDevice::Permissions permissions) {
    const auto digit = [&](QFileDevice::Permission read, QFileDevice::Permission write,
                           QFileDevice::Permission execute) {
        return (permissions.testFlag(read) ? 4 : 0) + (permissions.testFlag(write) ? 2 : 0) +
               (permissions.testFlag(execute) ? 1 : 0);
    };
    return QStringLiteral("0%1%2%3")
        .arg(digit(QFileDevice::ReadOwner, QFileDevice::WriteOwner, QFileDevice::ExeOwner))
        .arg(digit(QFileDevice::ReadGroup, QFileDevice::WriteGroup, QFileDevice::ExeGroup))
        .arg(digit(QFileDevice::ReadOther, QFileDevice::WriteOther, QFileDevice::ExeOther));
}

}  // namespace

QString OpenSecretFileProblem(const QString& path, QFileDevice::Permissions permissions) {
    if (!permissions.testFlag(QFileDevice::ReadOther)) {
        return {};
    }
    return QCoreApplication::translate(
               "SecretFile",
               "każdy użytkownik komputera może czytać plik %1 (uprawnienia %2), a jest w nim "
               "tajemnica, więc program go nie użyje; odbierz innym dostęp: chmod o-rwx %1 "
               "(właściciel i grupa nadal mogą go czytać)")
        .arg(path, ModeText(permissions));
}

QString SecretFileProblem(const QString& path) {
    const QFileInfo file(path);
    return file.exists() ? OpenSecretFileProblem(path, file.permissions()) : QString();
}
