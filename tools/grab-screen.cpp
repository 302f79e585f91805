// Saves the X screen, or one window of it, as a picture in the format its
// name ends with (.png, or .pgm for shell scripts to count pixels): the eye
// of scripts/screenshot and scripts/package-test.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: grab-screen OUT.png|OUT.pgm [WINDOW-ID]\n");
        return 2;
    }
    const WId window = argc > 2 ? static_cast<WId>(std::strtoull(argv[2], nullptr, 0)) : 0;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !screen->grabWindow(window).save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "grab-screen: could not grab or save\n");
        return 1;
    }
    return 0;
}
