#include "app/FormMain.h"
#include "app/ZemraApplication.h"
#include "render/Fonts.h"

int main(int argc, char* argv[])
{
    zemra::ZemraApplication app(argc, argv);
    zemra::ZemraApplication::setApplicationName(QStringLiteral("Zemra 围棋"));
    zemra::installFontSubstitutions();

    QStringList args = zemra::ZemraApplication::arguments();
    args.removeFirst();
    zemra::TFormMain window(args);
    window.showMaximized();
    return zemra::ZemraApplication::exec();
}
