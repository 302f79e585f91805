#include <cstdio>
#include <cstdlib>

#include "app/FormMain.h"
#include "app/ZemraApplication.h"
#include "render/Fonts.h"

namespace {

QStringList startupMessages;

// Qt ends the program with an abort when it finds no display. A user who
// started Zemra from a terminal without one is told so plainly instead;
// Qt's own lines are shown only when the start goes on.
void refuseWithoutDisplay(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fputs("Zemra 围棋：没有找到图形显示，程序无法启动。\n"
                   "Zemra: no graphical display was found; the program cannot start.\n",
                   stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    startupMessages << message;
}

} // namespace

int main(int argc, char* argv[])
{
    const QtMessageHandler previous = qInstallMessageHandler(refuseWithoutDisplay);
    zemra::ZemraApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const QString& message : startupMessages)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    zemra::ZemraApplication::setApplicationName(QStringLiteral("Zemra 围棋"));
    zemra::installFontSubstitutions();

    QStringList args = zemra::ZemraApplication::arguments();
    args.removeFirst();
    zemra::TFormMain window(args);
    window.showMaximized();
    return zemra::ZemraApplication::exec();
}
