// Two whole windows in one process playing over 127.0.0.1: the path a
// user takes, from the mode menu and the board picture to the other window's
// board and log, including the chat line and a window that goes away.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "app/BoardWidget.h"
#include "app/ChatLine.h"
#include "app/FormMain.h"
#include "app/MessageLog.h"
#include "app/NetworkGame.h"
#include "app/NetworkMode.h"
#include "app/ToolbarMenus.h"
#include "render/BoardRenderer.h"
#include "tests/app/TestDialogs.h"

namespace zemra {
namespace {

// The windows make the network controller from the code linked into this
// test, not from the module.
const bool linkedNetworkGame = [] {
    setNetworkGameFactory(
        [](ModeHost& host, QString&) -> std::unique_ptr<ModeController> { return std::make_unique<NetworkGame>(host); });
    return true;
}();

struct Window {
    Window(const QString& nick, const QString& rank)
    {
        dialogs.defaultAnswer = true;
        form = std::make_unique<TFormMain>();
        form->setUserDialogs(&dialogs);
        form->resize(1000, 760);
        form->show();
        form->runCommand(Command::ModeNetwork);
        net().askStart = [=](const NetworkStartSetup&) {
            return NetworkStartChoice{nick, rank, QStringLiteral("127.0.0.1")};
        };
        net().answerProposal = [](const net::Question&) { return true; };
    }
    NetworkGame& net() const { return form->controller<NetworkGame>(); }
    QString log() const { return form->messageLog()->toPlainText(); }
    // A real click on the centre of point (i, j) of the board picture.
    void click(int i, int j)
    {
        const int s = form->renderer().ChessSize();
        const int m = form->renderer().BoardMargin();
        QTest::mouseClick(form->PaintBox1(), Qt::LeftButton, {}, {m + (i - 1) * s + s / 2, m + (j - 1) * s + s / 2});
    }
    void chat(const QString& text)
    {
        QLineEdit* edit = form->chatLine()->lineEdit();
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    zemra::testing::TestDialogs dialogs; // outlives the window
    std::unique_ptr<TFormMain> form;
};

bool waitFor(const std::function<bool()>& done)
{
    return QTest::qWaitFor(done, 3000);
}

TEST(NetworkWindows, TwoWindowsGreetPlayChatAndSeeTheOtherGo)
{
    Window host(QStringLiteral("山间的清风"), QStringLiteral("9 段"));
    auto challenger = std::make_unique<Window>(QStringLiteral("月下の旅人"), QStringLiteral("1 级"));
    ASSERT_EQ(host.form->GameMode(), QStringLiteral("network"));

    // Any free port: a Zemra on this machine may hold 5058.
    host.net().setPort(0);
    host.form->runCommand(Command::NetServer);
    ASSERT_TRUE(host.net().listening());
    challenger->net().setPort(host.net().listeningPort());
    challenger->form->runCommand(Command::NetClient);
    ASSERT_TRUE(waitFor([&] { return host.net().PeerConnected() && challenger->net().PeerConnected(); }));
    // Moves are a few bytes: neither side may hold one back for an acknowledgement.
    for (const Window* w : {&host, challenger.get()})
        EXPECT_EQ(w->net().connection()->socketOption(QAbstractSocket::LowDelayOption), 1);

    // The challenger takes White on 9 × 9: the host plays Black and moves first.
    challenger->net().askProposal = [] { return net::ProposalChoice{false, 0, QStringLiteral("9")}; };
    challenger->form->runCommand(Command::NetNewGame);
    ASSERT_TRUE(waitFor([&] { return host.net().gameInProgress() && challenger->net().gameInProgress(); }));
    EXPECT_EQ(host.net().NetworkColor(), QStringLiteral("BlackChess"));
    EXPECT_EQ(challenger->form->game().BoardSize(), 9);

    host.click(3, 3);
    ASSERT_TRUE(waitFor([&] { return challenger->form->game().MoveCount() == 1; }));
    challenger->click(7, 7);
    ASSERT_TRUE(waitFor([&] { return host.form->game().MoveCount() == 2; }));
    // Clicking out of turn sends nothing and plays nothing.
    challenger->click(5, 5);
    QTest::qWait(100);
    EXPECT_EQ(host.form->game().MoveCount(), 2);
    EXPECT_EQ(host.form->game().MoveList(), challenger->form->game().MoveList());
    EXPECT_EQ(challenger->form->game().BoardPoints(3, 3), "BlackChess1");
    EXPECT_EQ(host.form->game().BoardPoints(7, 7), "WhiteChess2");

    // The chat line reaches the other window's log, ";" and all.
    host.chat(QStringLiteral("你好; 请多指教"));
    EXPECT_TRUE(host.log().contains(QStringLiteral("山间的清风(9段)> 你好; 请多指教"))) << "our own line under our name";
    ASSERT_TRUE(waitFor([&] { return challenger->log().contains(QStringLiteral("你好; 请多指教")); }));
    challenger->chat(QStringLiteral("谢谢"));
    ASSERT_TRUE(waitFor([&] { return host.log().contains(QStringLiteral("谢谢")); }));
    // A line the peer would take for our resignation stays here.
    host.chat(QStringLiteral("CMMD SIGN"));
    EXPECT_TRUE(host.log().contains(QStringLiteral("这句话没有发给棋友")));
    QTest::qWait(100);
    EXPECT_TRUE(challenger->net().gameInProgress());

    // The challenger's window closes mid-game: the host is told and its board stays.
    ASSERT_TRUE(challenger->form->close());
    challenger.reset();
    ASSERT_TRUE(waitFor([&] { return !host.net().gameInProgress(); }));
    EXPECT_EQ(host.form->gameInfo().GameResult, QStringLiteral("网络中断，比赛结束！"));
    EXPECT_TRUE(host.log().contains(QStringLiteral("到棋友(月下の旅人：")));
    EXPECT_EQ(host.form->game().MoveCount(), 2);
}

} // namespace
} // namespace zemra
