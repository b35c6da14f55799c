#pragma once
// Writes seed inputs as files named after what they hold, one folder per fuzz target.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <span>
#include <string>

class SeedWriter {
  public:
    // Seeds go to <root>/<target>/.
    SeedWriter(std::string root, std::string target);

    // False when the file could not be written.
    bool Write(const std::string& name, const QByteArray& bytes) const;

  private:
    std::string directory_;
};

QByteArray AsBytes(std::span<const std::uint8_t> bytes);
