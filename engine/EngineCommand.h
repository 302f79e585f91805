// Which engine program to start and with which arguments, and the texts that
// tell the user when it cannot be found or has gone.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zemra {

// The engine file field's default entry: the gnugo beside the program, or the
// system's.
inline constexpr std::string_view DefaultEngineField = "./gnugo";

struct EngineSettings {
    std::string engineField{DefaultEngineField}; // the default, or a chosen file's full path
    bool neverResign = true;                     // "不允许电脑中盘认输"; only with the default engine
    int level = 10;                              // 1..10
    int boardSize = 19;                          // 5..19
};

struct EngineCommand {
    std::string text;              // the command line as the log shows it
    std::vector<std::string> argv; // what is started: a path with blanks stays one word
};

// The command line for these settings; defaultProgram is what the default
// field stands for (see defaultEngineProgram).
EngineCommand engineCommandLine(const EngineSettings& settings, const std::string& defaultProgram);

// programDir + "gnugo" when that is an executable file, else the system's
// gnugo, else programDir + "gnugo" (whose start then fails). programDir ends
// with a separator.
std::string defaultEngineProgram(const std::string& programDir);

// The system's gnugo: the first executable "gnugo" on PATH, then in
// /usr/games (where Debian puts it, off root's PATH); empty when none.
std::string findSystemGnuGo();

// Log line after the engine could not be found or started (UTF-8).
inline constexpr std::string_view EngineInstallHint =
    "没有找到可以运行的 GNU Go 程序。请先安装它（Debian 上执行 sudo apt install gnugo，"
    "程序会装到 /usr/games/gnugo），或者在“开始新局”的对话框里用“查找”选定 GNU Go 程序。";

// Log line and message when the engine died during a game (UTF-8).
inline constexpr std::string_view EngineExitedText =
    "GNU GO 已经退出，本局无法继续。棋盘和着法都保留着，可以保存棋谱。";

// Log line and message when the engine talked without ever ending its reply
// (more than a reply may hold, or on through the silence limit) and was
// stopped (UTF-8).
inline constexpr std::string_view EngineUnendingText =
    "GNU GO 不停地输出却始终没有给出完整的应答，已被停止，本局无法继续。棋盘和着法都保留着，可以保存棋谱。";

// The question when the engine has been silent for the silence limit (UTF-8).
inline constexpr std::string_view EngineSilentQuestion =
    "GNU GO 已经很久没有回应了。\r\r要继续等待吗？选择“取消”将结束本局。";

// Refusals while the engine is still thinking about a move (UTF-8).
inline constexpr std::string_view EstimateBusyText = "计算机正在思考，请等会儿再做形势判断。";
inline constexpr std::string_view HintBusyText = "计算机正在思考，请等会儿再请电脑支招。";

} // namespace zemra
