// The command line, read before the application object exists: --help and
// --version answer without a display, and a record's name keeps the bytes
// the system gave (a name from an archive made on Windows need not be UTF-8).
#pragma once

#include <QByteArray>
#include <QList>

#include <string>

namespace zemra {

struct CommandLine {
    enum class Action { Start, Help, Version, Refuse };
    Action action = Action::Start;
    // The record to open, as the system names it; empty for none.
    QByteArray recordPath;
    // Qt's own options with their values (-platform offscreen, -style=fusion),
    // in order, for the application object. The record is never among them,
    // so a record named like one of them cannot be taken for it.
    QList<QByteArray> qtOptions;
    // For Refuse: what is wrong, one line in Chinese and one in English.
    std::string problem;
};

// argv[0] is the program; the rest are read left to right. "--" ends the
// options; one record at most; an empty argument opens nothing.
CommandLine readCommandLine(int argc, const char* const* argv);

std::string helpText();
std::string versionText();

} // namespace zemra
