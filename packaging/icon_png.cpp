// Writes the program's own window icon as a PNG file, for the desktop's icon theme.
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: melquad-iconpng <file.png>\n");
        return 2;
    }
    const QImage icon(QStringLiteral(":/icon/MAINICON.ico"));
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "melquad-iconpng: cannot write %s\n", argv[1]);
        return 1;
    }
}
