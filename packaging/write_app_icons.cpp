// Writes the program's icon as PNG files in the layout of the hicolor icon theme,
// DIR/<n>x<n>/apps/hygrometer.png, drawn by the code that draws the window's icon.
#include <QDir>
#include <QImage>
#include <cstdio>

#include "app/app_icon.h"

namespace {

// The sizes desktops ask the theme for.
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s DIR\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (int size : kSizes) {
        const QString folder = QString("%1x%1/apps").arg(size);
        const QString path = root.filePath(folder + "/hygrometer.png");
        if (!root.mkpath(folder) || !DrawAppIcon(size).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
