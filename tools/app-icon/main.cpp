// Writes the icon the window draws as PNG files for the desktop's icon theme:
// vantor3-app-icon FOLDER SIZE... makes FOLDER/SIZExSIZE/apps/vantor3.png for each size.
#include <QDir>
#include <QString>
#include <cstdio>

#include "res/AppIcon.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: vantor3-app-icon FOLDER SIZE...\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (size <= 0 || !QDir().mkpath(folder) ||
            !vantor::res::AppIconImage(size).save(folder + QStringLiteral("/vantor3.png"))) {
            std::fprintf(stderr, "vantor3-app-icon: cannot write the %s pixel icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
