// Writes the reference page of the command line, docs/command-line.md, from the option rows
// in English:
//   write_command_line_doc PATH
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "program/command_line.h"
#include "texts/interface_language.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: write_command_line_doc PATH\n", stderr);
        return 2;
    }
    const InterfaceTranslator english(InterfaceLanguage::English);
    QFile page(QString::fromLocal8Bit(argv[1]));
    const QByteArray text = CommandLineReference().toUtf8();
    if (!english.Loaded() || !page.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        page.write(text) != text.size() || !page.flush()) {
        std::fprintf(stderr, "write_command_line_doc: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
