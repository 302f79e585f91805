// The network mode comes from a module loaded on its first entry; a module
// that is missing or broken is told, never a crash.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "app/FormMain.h"
#include "app/MessageLog.h"
#include "app/NetworkMode.h"
#include "app/ProgramFiles.h"
#include "tests/app/TestDialogs.h"

namespace zemra {
namespace {

TEST(NetworkMode, AModuleThatFailsIsToldPlainlyAndTheBuiltOneServes)
{
    testing::TestDialogs dialogs; // outlives the window
    TFormMain form;
    form.setUserDialogs(&dialogs);
    const QStringList& information = dialogs.boxes;
    // Before the mode is entered its menu offers nothing.
    EXPECT_FALSE(form.action(Command::NetServer)->isEnabled());

    setNetworkGameFactory([](ModeHost&, QString& problem) -> std::unique_ptr<ModeController> {
        problem = QStringLiteral("zemra-network.so: cannot open shared object file");
        return nullptr;
    });
    form.runCommand(Command::ModeNetwork);
    setNetworkGameFactory(nullptr);
    EXPECT_EQ(form.GameMode(), QStringLiteral("local"));
    ASSERT_EQ(information.size(), 1);
    EXPECT_TRUE(information.first().contains(QStringLiteral("zemra-network.so"))) << information.first().toStdString();
    EXPECT_FALSE(form.messageLog()->toPlainText().contains(QStringLiteral("网络对局”模式")));

    // The module built beside the program loads into it and makes the mode's
    // controller (entering the mode here would leave a host-name lookup
    // running when the test ends).
    QString problem;
    const std::unique_ptr<ModeController> network = createNetworkGame(form, problem);
    ASSERT_NE(network, nullptr) << problem.toStdString();
    EXPECT_EQ(network->mode(), GameModeId::Network);
    EXPECT_TRUE(network->commandState(Command::NetServer).value_or(CommandState{false, false}).enabled);
    EXPECT_FALSE(networkModulePath().isEmpty());
}

TEST(NetworkMode, AModuleThatCannotServeIsNotLoaded)
{
    QTemporaryDir dir;
    QFile broken(dir.filePath(QStringLiteral("broken.so")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a module");
    broken.close();
    // Opening a FIFO would wait for a writer for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo.so"))).constData(), 0600), 0);
    const QByteArray built = qgetenv("ZEMRA_DATA_DIR");
    struct Row {
        QByteArray dataDir;
        const char* file;
        const char* entry;
    };
    for (const Row& row : {Row{QFile::encodeName(dir.path()), "absent.so", "zemraPlaySound"},
                           Row{QFile::encodeName(dir.path()), "broken.so", "zemraPlaySound"},
                           Row{QFile::encodeName(dir.path()), "fifo.so", "zemraPlaySound"},
                           Row{built, "zemra-sound.so", "noSuchEntry"}}) {
        qputenv("ZEMRA_DATA_DIR", row.dataDir);
        const ProgramModule module = openProgramModule(row.file, row.entry);
        EXPECT_EQ(module.entry, nullptr) << row.file;
        EXPECT_TRUE(module.path.isEmpty()) << row.file;
        EXPECT_FALSE(module.problem.isEmpty()) << row.file;
    }
    qputenv("ZEMRA_DATA_DIR", built);
}

} // namespace
} // namespace zemra
