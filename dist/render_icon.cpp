// Renders the program's SVG icon to a PNG of the given size, for the icon theme.
//   render_icon <icon.svg> <size> <out.png>

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: render_icon <icon.svg> <size> <out.png>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int size = QString(argv[2]).toInt();
    const QPixmap pixmap = QIcon(QString::fromLocal8Bit(argv[1])).pixmap(size, size);
    if (pixmap.isNull() || !pixmap.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "render_icon: cannot render %s\n", argv[1]);
        return 1;
    }
    return 0;
}
