// The scripted fake GTP engine of the engine tests as an engine file for the
// new-game choice: a shell wrapper that notes its arguments and runs the fake.
#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <cstdlib>
#include <string>
#include <sys/types.h>

#include "app/GnuNewGameDialog.h"

namespace zemra::testing {

class FakeEngineProgram {
public:
    // script: lines "prefix|action" (see tests/engine/FakeGtpEngine.cpp).
    explicit FakeEngineProgram(const std::string& script = {})
    {
        write("script", QByteArray::fromStdString(script));
        write("engine", "#!/bin/sh\nprintf '%s\\n' \"$*\" > '" + path("args") + "'\nexec '" ZEMRA_FAKE_GTP_ENGINE "' '" +
                            path("script") + "' '" + path("commands") + "'\n");
        QFile::setPermissions(QString::fromUtf8(path("engine")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The commands the engine received so far, one per line.
    std::string commands() const { return read("commands"); }
    // Its arguments (the wrapper writes them once it runs).
    std::string args() const
    {
        for (int k = 0; k < 200 && read("args").empty(); ++k)
            QThread::msleep(10);
        return read("args");
    }
    // The process the engine's "@fork" started, or 0 before it did.
    pid_t childPid() const { return static_cast<pid_t>(std::atoi(read("commands.child").c_str())); }
    // A game against this engine at level 1, as the dialog would return it.
    GnuNewGameChoice choice(Colour user = Colour::Black, int size = 19, int handicap = 0) const
    {
        return {user, size, handicap, 1, QString::fromUtf8(path("engine")), true};
    }

private:
    QByteArray path(const char* name) const { return QFile::encodeName(m_dir.filePath(QString::fromLatin1(name))); }
    void write(const char* name, const QByteArray& bytes) const
    {
        QFile f(QString::fromUtf8(path(name)));
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    std::string read(const char* name) const
    {
        QFile f(QString::fromUtf8(path(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }

    QTemporaryDir m_dir;
};

} // namespace zemra::testing
