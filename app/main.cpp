#include <QApplication>
#include <QMainWindow>

#include "board/WeiQiGame.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zemra"));

    zemra::WeiQiGame game;
    game.InitWeiQiGame();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Zemra"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
