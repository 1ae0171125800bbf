// Writes the cell bitmaps and icons of Data/ and the program icon in the sizes of the desktop's
// icon theme. Usage: vemo-resources [Data folder [icon folder]]
#include "CellArt.h"
#include "IcoWriter.h"
#include "IconArt.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <cstdio>

namespace {

bool save(const QDir& folder, const QString& fileName, const QImage& image, const char* format) {
    const QString path = folder.filePath(fileName);
    if (image.save(path, format)) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QString target = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(VEMO_DATA_DIR);
    QDir folder(target);
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(target));
        return 1;
    }
    bool ok = true;
    ok = save(folder, "img01.bmp", vemo::art::emptyCell(), "BMP") && ok;
    ok = save(folder, "img02.bmp", vemo::art::note(), "BMP") && ok;
    ok = save(folder, "img02_R.bmp", vemo::art::noteHeldRight(), "BMP") && ok;
    ok = save(folder, "img02_L.bmp", vemo::art::noteHeldLeft(), "BMP") && ok;
    ok = save(folder, "img02_LR.bmp", vemo::art::noteHeldBoth(), "BMP") && ok;
    for (const vemo::art::Icon& icon : vemo::art::icons()) {
        const QString path = folder.filePath(icon.fileName);
        if (!vemo::art::writeIcon(path, icon.image)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    // The desktop's icon theme wants the program icon in several sizes, beside the packaging.
    QDir icons(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString(VEMO_ICONS_DIR));
    if (!icons.mkpath(".")) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(icons.path()));
        return 1;
    }
    for (const int size : {16, 32, 48, 128, 256})
        ok = save(icons, QString("vemo-%1.png").arg(size), vemo::art::programIconOfSize(size),
                  "PNG") &&
             ok;
    return ok ? 0 : 1;
}
