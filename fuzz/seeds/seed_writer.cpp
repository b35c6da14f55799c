#include "seeds/seed_writer.h"

#include <QDir>
#include <QFile>

SeedWriter::SeedWriter(std::string root, std::string target)
    : directory_(std::move(root) + "/" + std::move(target)) {
    QDir().mkpath(QString::fromStdString(directory_));
}

bool SeedWriter::Write(const std::string& name, const QByteArray& bytes) const {
    QFile file(QString::fromStdString(directory_ + "/" + name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray AsBytes(std::span<const std::uint8_t> bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}
