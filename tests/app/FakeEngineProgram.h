// The scripted fake GTP engine of the engine tests as a program the engine
// game can be given as its engine file: a small shell script that records
// the command line it got and runs the fake with its script and log.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

#include <string>

#include "app/GnuNewGameDialog.h"

namespace zemra::testing {

class FakeEngineProgram {
public:
    // script: lines "prefix|action" (see tests/engine/FakeGtpEngine.cpp).
    explicit FakeEngineProgram(const std::string& script = {})
    {
        write(QStringLiteral("script"), QByteArray::fromStdString(script));
        const QByteArray wrapper = "#!/bin/sh\nprintf '%s\\n' \"$*\" > '" + path("args") + "'\nexec '" +
                                   QByteArray(ZEMRA_FAKE_GTP_ENGINE) + "' '" + path("script") + "' '" + path("commands") +
                                   "'\n";
        write(QStringLiteral("engine"), wrapper);
        QFile::setPermissions(program(), QFile::permissions(program()) | QFile::ExeOwner);
    }

    // The engine file to choose in the new-game dialog.
    QString program() const { return m_dir.filePath(QStringLiteral("engine")); }
    // The commands the engine received so far, one per line.
    std::string commands() const { return read("commands"); }
    // The arguments it was started with (the wrapper writes them once it runs).
    std::string args() const
    {
        for (int k = 0; k < 200 && read("args").empty(); ++k)
            QThread::msleep(10);
        return read("args");
    }

    // A game against this engine as the dialog would return it.
    GnuNewGameChoice choice(Colour user = Colour::Black, int size = 19, int handicap = 0) const
    {
        GnuNewGameChoice c;
        c.userColour = user;
        c.boardSize = size;
        c.handicapCount = handicap;
        c.level = 1;
        c.engineFile = program();
        return c;
    }

private:
    QByteArray path(const char* name) const { return QFile::encodeName(m_dir.filePath(QString::fromLatin1(name))); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(m_dir.filePath(name));
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    std::string read(const char* name) const
    {
        QFile f(m_dir.filePath(QString::fromLatin1(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }

    QTemporaryDir m_dir;
};

} // namespace zemra::testing
