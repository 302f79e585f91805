#include "app/CommandLine.h"

#include <cstring>

namespace zemra {

namespace {

// Qt's own options (those QApplication and the X11 platform read), so that a
// user's "-platform wayland" or "-style fusion" still works.
const char* const QtOptionsWithValue[] = {"-platform",       "-platformpluginpath", "-platformtheme", "-plugin",
                                          "-qwindowgeometry", "-qwindowicon",       "-qwindowtitle",  "-session",
                                          "-display",        "-geometry",           "-style",         "-stylesheet"};
const char* const QtFlags[] = {"-reverse", "-widgetcount"};
const char* const QtOptionsWithAttachedValue[] = {"-style=", "-stylesheet=", "-qmljsdebugger=", "-dialogs=",
                                                  "-fontengine="};

template <std::size_t N> bool listed(const char* const (&list)[N], const QByteArray& arg)
{
    for (const char* option : list)
        if (arg == option) return true;
    return false;
}

template <std::size_t N> bool prefixed(const char* const (&list)[N], const QByteArray& arg)
{
    for (const char* option : list)
        if (arg.startsWith(option) && arg.size() > qsizetype(std::strlen(option))) return true;
    return false;
}

CommandLine refuse(const std::string& chinese, const std::string& english)
{
    CommandLine line;
    line.action = CommandLine::Action::Refuse;
    line.problem = "zemra：" + chinese + "\nzemra: " + english;
    return line;
}

} // namespace

CommandLine readCommandLine(int argc, const char* const* argv)
{
    CommandLine line;
    bool optionsEnded = false;
    int records = 0;
    for (int k = 1; k < argc; ++k) {
        const QByteArray arg(argv[k]);
        const bool option = !optionsEnded && arg.size() > 1 && arg.startsWith('-');
        if (!option) {
            if (++records > 1)
                return refuse("只能打开一个棋谱文件，多余的参数是“" + arg.toStdString() + "”。",
                              "only one record can be opened; extra argument '" + arg.toStdString() + "'");
            line.recordPath = arg;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            line.action = CommandLine::Action::Help;
            return line;
        } else if (arg == "-v" || arg == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        } else if (listed(QtOptionsWithValue, arg)) {
            if (k + 1 >= argc)
                return refuse("选项“" + arg.toStdString() + "”后面缺少它的值。",
                              "option '" + arg.toStdString() + "' needs a value");
            line.qtOptions << arg << QByteArray(argv[++k]);
        } else if (listed(QtFlags, arg) || prefixed(QtOptionsWithAttachedValue, arg)) {
            line.qtOptions << arg;
        } else {
            return refuse("不认识的选项“" + arg.toStdString() + "”。", "unknown option '" + arg.toStdString() + "'");
        }
    }
    return line;
}

std::string helpText()
{
    return "用法：zemra [选项] [棋谱文件]\n"
           "Zemra 围棋：本地对局、欣赏棋谱（SGF、GIB）、和 GNU Go 人机对弈、\n"
           "通过 TCP 端口 5058 网络对局。给出棋谱文件时，程序以“欣赏棋谱”模式打开它。\n"
           "\n"
           "Usage: zemra [OPTION]... [RECORD]\n"
           "Zemra plays and studies Go (weiqi): local games, SGF and GIB game records,\n"
           "games against GNU Go, and network games over TCP port 5058. A RECORD\n"
           "(.sgf or .gib) given here is opened in the record mode.\n"
           "\n"
           "  -h, --help       显示本说明后退出 / show this help and exit\n"
           "  -v, --version    显示版本后退出 / show the version and exit\n"
           "  --               选项到此为止，其后的名称都是文件 /\n"
           "                   end of options: a record named \"-game.sgf\" may follow\n"
           "\n"
           "Qt 的选项（-platform、-display、-style 等）交给 Qt。\n"
           "Qt's own options (-platform, -display, -style, ...) are passed to Qt.\n"
           "See also / 参见：man zemra\n";
}

std::string versionText()
{
    return "Zemra " ZEMRA_VERSION "\n";
}

} // namespace zemra
