// saporia-write-icons: writes the program's icon into a hicolor theme tree,
//   saporia-write-icons FOLDER   ->   FOLDER/<n>x<n>/apps/saporia.png
// Run by the build, so the installed art is drawn by the program's own code.

#include "desktop/ProgramIcon.h"

#include <QDir>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: saporia-write-icons FOLDER\n");
        return 2;
    }
    for (const int size : {16, 32, 48, 128, 256}) {
        const QString folder = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(folder) || !programIcon(size).save(folder + "/saporia.png", "PNG")) {
            std::fprintf(stderr, "saporia-write-icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
