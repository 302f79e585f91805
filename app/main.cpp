#include <cstdio>
#include <malloc.h>
#include <cstdlib>
#include <vector>

#include "app/CommandLine.h"
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
    // Large buffers are mapped apart and given back when freed. glibc would
    // raise this after the first one, and then keep start-up's transient
    // pictures in the heap for the rest of the run.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // Read before the application object: --help and --version need no display.
    const zemra::CommandLine line = zemra::readCommandLine(argc, argv);
    switch (line.action) {
    case zemra::CommandLine::Action::Help: std::fputs(zemra::helpText().c_str(), stdout); return 0;
    case zemra::CommandLine::Action::Version: std::fputs(zemra::versionText().c_str(), stdout); return 0;
    case zemra::CommandLine::Action::Refuse:
        std::fprintf(stderr, "%s\n请用 zemra --help 查看用法。\nTry 'zemra --help' for more information.\n",
                     line.problem.c_str());
        return 2;
    case zemra::CommandLine::Action::Start: break;
    }

    // Qt sees only its own options, never the record's name.
    QList<QByteArray> qtArguments{QByteArray(argv[0])};
    qtArguments << line.qtOptions;
    std::vector<char*> qtArgv;
    for (QByteArray& argument : qtArguments)
        qtArgv.push_back(argument.data());
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArguments.size());

    const QtMessageHandler previous = qInstallMessageHandler(refuseWithoutDisplay);
    zemra::ZemraApplication app(qtArgc, qtArgv.data());
    qInstallMessageHandler(previous);
    for (const QString& message : startupMessages)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    zemra::ZemraApplication::setApplicationName(QStringLiteral("Zemra 围棋"));
    zemra::ZemraApplication::setApplicationVersion(QStringLiteral(ZEMRA_VERSION));
    zemra::installFontSubstitutions();

    zemra::TFormMain window(line.recordPath);
    window.showMaximized();
    return zemra::ZemraApplication::exec();
}
