// A start-up check for installed trees: with ZEMRA_STARTUP_REPORT set, the
// program prints which of its files it found and quits, so a test can see
// that an installed copy finds its pictures and sounds.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zemra {

// True when the environment variable ZEMRA_STARTUP_REPORT is set and not empty.
bool startupReportRequested();

// One line per file the program reads: "found NAME PATH" or "missing NAME
// PATH". Player pictures count as found only when they decode, the sound and
// network modules only when they load into this program; sounds are the
// compiled-in clips. locate gives a file's path as the system names it.
QStringList startupReport(const std::function<QByteArray(const QString& name)>& locate);

// The lines on standard output.
void printStartupReport(const QStringList& lines);

} // namespace zemra
