// The network mode over real sockets on 127.0.0.1, on a port free at run
// time: two controllers playing each other, and a raw socket speaking the
// wire bytes as another copy would (merged and split messages, a second
// challenger, a flood) or as no copy would (silence, requests out of turn).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QComboBox>
#include <QGroupBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "app/NetworkAddresses.h"
#include "app/NetworkGame.h"
#include "net/Messages.h"
#include "net/Wire.h"
#include "tests/app/RecordingHost.h"

namespace zemra {
namespace {

using testing::LogEntry;
using testing::RecordingHost;

const QString Host = QStringLiteral("山间的清风");
const QString Challenger = QStringLiteral("月下の旅人");
const QString Loopback = QStringLiteral("127.0.0.1");

// Waits as the window does: events go on being handled (also while a
// question is open, when the test's whileAsked does so).
class WaitingHost : public RecordingHost {
public:
    void WaitTicks(int bound, const std::function<bool()>& stop) override
    {
        const QDeadlineTimer deadline(bound * 100);
        while (!deadline.hasExpired() && !(stop && stop()))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    bool logged(const QString& kind, const QString& text) const
    {
        return std::find(log.begin(), log.end(), LogEntry{kind, text}) != log.end();
    }
};

bool waitFor(const std::function<bool()>& done)
{
    return QTest::qWaitFor(done, 3000);
}

struct Side {
    Side(const QString& nick, const QString& rankEntry)
    {
        net.setPort(0); // any free port: a Zemra on this machine may hold 5058
        net.askStart = [=](const NetworkStartSetup&) { return NetworkStartChoice{nick, rankEntry, Loopback}; };
        net.answerProposal = [this](const net::Question& q) {
            shownProposals.push_back(q.shown);
            return agreeToProposals;
        };
        net.enterMode();
    }
    void host()
    {
        net.Menu_Network_ServerClick();
        ASSERT_TRUE(net.listening());
    }
    void play(int i, int j) { net.boardClick(i, j, Qt::LeftButton); }

    WaitingHost h;
    NetworkGame net{h};
    std::vector<net::ProposalChoice> shownProposals;
    bool agreeToProposals = true;
};

void expectSameBoards(const Side& a, const Side& b)
{
    EXPECT_EQ(a.h.board.MoveList(), b.h.board.MoveList());
    EXPECT_EQ(a.h.board.SideToMove(), b.h.board.SideToMove());
    for (int i = 1; i <= a.h.board.BoardSize(); ++i)
        for (int j = 1; j <= a.h.board.BoardSize(); ++j)
            ASSERT_EQ(a.h.board.BoardPoints(i, j), b.h.board.BoardPoints(i, j)) << i << "," << j;
}

// Host and challenger connected and greeted.
struct Pair : ::testing::Test {
    void connect()
    {
        ASSERT_NO_FATAL_FAILURE(host.host());
        challenger.net.setPort(host.net.listeningPort());
        challenger.net.Menu_Network_ClientClick();
        ASSERT_TRUE(waitFor([&] { return host.net.PeerConnected() && challenger.net.PeerConnected(); }));
    }
    // The challenger proposes Black on 9 × 9; the host agrees.
    void startGame()
    {
        challenger.net.askProposal = [] { return net::ProposalChoice{true, 0, QStringLiteral("9")}; };
        challenger.net.Menu_Network_NewGameClick();
        ASSERT_TRUE(waitFor([&] { return host.net.gameInProgress() && challenger.net.gameInProgress(); }));
    }
    // One move, and the peer's board has it.
    void move(Side& mover, Side& other, int i, int j)
    {
        const int before = other.h.board.MoveCount();
        mover.play(i, j);
        ASSERT_TRUE(waitFor([&] { return other.h.board.MoveCount() == before + 1; })) << i << "," << j;
        expectSameBoards(mover, other);
    }

    Side host{Host, QStringLiteral("9 段")};
    Side challenger{Challenger, QStringLiteral("3 段")};
};

TEST_F(Pair, WholeGameWithChatPassUndoDrawAndResignation)
{
    ASSERT_NO_FATAL_FAILURE(connect());
    EXPECT_TRUE(host.h.logged(QStringLiteral("System"), QStringLiteral("棋友(月下の旅人：") +
                                                            challenger.net.values().LocalAddress +
                                                            QStringLiteral(")已经成功地和您建立了网络连接！")));
    EXPECT_EQ(host.net.values().PeerRank, QStringLiteral("3段"));
    EXPECT_EQ(challenger.net.values().PeerRank, QStringLiteral("9段"));
    EXPECT_TRUE(host.h.notices.contains(QStringLiteral("Online")));

    ASSERT_NO_FATAL_FAILURE(startGame());
    ASSERT_EQ(host.shownProposals.size(), 1u);
    EXPECT_EQ(host.shownProposals[0], (net::ProposalChoice{false, 0, QStringLiteral("9")}));
    EXPECT_EQ(host.h.board.BoardSize(), 9);
    EXPECT_EQ(challenger.h.board.BoardSize(), 9);
    EXPECT_EQ(challenger.net.NetworkColor(), QStringLiteral("BlackChess"));
    EXPECT_EQ(host.net.NetworkColor(), QStringLiteral("WhiteChess"));
    EXPECT_EQ(host.h.info.BlackName, Challenger);
    EXPECT_EQ(challenger.h.info.WhiteRank, QStringLiteral("9段"));

    // Out of turn nothing happens.
    host.play(5, 5);
    EXPECT_EQ(host.h.board.MoveCount(), 0);

    ASSERT_NO_FATAL_FAILURE(move(challenger, host, 3, 3));
    ASSERT_NO_FATAL_FAILURE(move(host, challenger, 7, 7));
    ASSERT_NO_FATAL_FAILURE(move(challenger, host, 3, 7));

    challenger.net.chatLineSent(QStringLiteral("你好;再见"));
    host.net.chatLineSent(QStringLiteral("谢谢"));
    ASSERT_TRUE(waitFor([&] { return host.h.logged(QStringLiteral("Remote"), QStringLiteral("CHAT 月下の旅人(3段);你好;再见")); }));
    ASSERT_TRUE(waitFor([&] { return challenger.h.logged(QStringLiteral("Remote"), QStringLiteral("CHAT 山间的清风(9段);谢谢")); }));

    // A pass out of turn does nothing; on turn it reaches the peer.
    challenger.net.Menu_Network_PassClick();
    host.net.Menu_Network_PassClick();
    ASSERT_TRUE(waitFor([&] { return challenger.h.board.MoveCount() == 4; }));
    EXPECT_TRUE(challenger.h.logged(QStringLiteral("System"), QStringLiteral("棋友 山间的清风 弃权一手！")));
    expectSameBoards(host, challenger);

    // Undo while the peer is to move: one move back on both sides.
    ASSERT_NO_FATAL_FAILURE(move(challenger, host, 7, 3));
    host.h.dialogs.answers.push_back(true);
    challenger.net.Menu_Network_UndoClick();
    ASSERT_TRUE(waitFor([&] { return challenger.h.board.MoveCount() == 4; }));
    EXPECT_EQ(host.h.board.MoveCount(), 4);
    EXPECT_EQ(host.h.dialogs.questions.last(), QStringLiteral("悔棋申请|棋友：月下の旅人\r\r申请悔棋，您同意吗？"));
    expectSameBoards(host, challenger);

    // Undo after the peer has answered: two moves back.
    ASSERT_NO_FATAL_FAILURE(move(challenger, host, 7, 3));
    ASSERT_NO_FATAL_FAILURE(move(host, challenger, 5, 5));
    host.h.dialogs.answers.push_back(true);
    challenger.net.Menu_Network_UndoClick();
    ASSERT_TRUE(waitFor([&] { return challenger.h.board.MoveCount() == 4; }));
    EXPECT_EQ(host.h.board.MoveCount(), 4);
    expectSameBoards(host, challenger);
    EXPECT_EQ(challenger.h.board.SideToMove(), Colour::Black);

    // A refused draw, then resignation.
    host.net.Menu_Network_HeQiClick();
    ASSERT_TRUE(waitFor([&] { return host.h.logged(QStringLiteral("System"), QStringLiteral("棋友月下の旅人拒绝了您的和棋申请！")); }));
    EXPECT_TRUE(host.net.gameInProgress());

    host.net.Menu_Network_ResignClick();
    const QString resigned = QStringLiteral("棋友山间的清风认输，棋友月下の旅人中盘胜！");
    ASSERT_TRUE(waitFor([&] { return challenger.h.logged(QStringLiteral("System"), resigned); }));
    EXPECT_TRUE(host.h.logged(QStringLiteral("System"), resigned));
    EXPECT_EQ(host.h.info.GameResult, QStringLiteral("棋友月下の旅人中盘胜！"));
    EXPECT_EQ(challenger.h.info.GameResult, QStringLiteral("棋友月下の旅人中盘胜！"));
    EXPECT_FALSE(host.net.gameInProgress());
    EXPECT_FALSE(challenger.net.gameInProgress());

    // Requests after the game are refused without a word to the peer.
    challenger.net.Menu_Network_UndoClick();
    EXPECT_EQ(challenger.h.dialogs.boxes.last(), QStringLiteral("  您现在不在对局中，\r\r这项功能还不能使用！"));
}

TEST_F(Pair, AgreedDrawAndHandicapGame)
{
    ASSERT_NO_FATAL_FAILURE(connect());
    host.net.askProposal = [] { return net::ProposalChoice{false, 3, QStringLiteral("19")}; };
    host.net.Menu_Network_NewGameClick();
    ASSERT_TRUE(waitFor([&] { return host.net.gameInProgress() && challenger.net.gameInProgress(); }));
    for (Side* s : {&host, &challenger}) {
        EXPECT_EQ(s->h.board.HandicapCount(), 4);
        EXPECT_EQ(s->h.board.SideToMove(), Colour::White);
        // White, to move, is the blue name.
        EXPECT_EQ(s->h.panel.LabelWhite()->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        EXPECT_EQ(s->h.panel.LabelBlack()->palette().color(QPalette::WindowText), QColor(Qt::black));
    }
    EXPECT_EQ(host.net.NetworkColor(), QStringLiteral("WhiteChess"));
    ASSERT_NO_FATAL_FAILURE(move(host, challenger, 10, 10));

    challenger.h.dialogs.answers.push_back(true);
    host.net.Menu_Network_HeQiClick();
    ASSERT_TRUE(waitFor([&] { return !host.net.gameInProgress(); }));
    EXPECT_EQ(host.h.info.GameResult, QStringLiteral("比赛结束，和棋！"));
    EXPECT_EQ(challenger.h.info.GameResult, QStringLiteral("比赛结束，和棋！"));
}

TEST_F(Pair, LeavingTheModeEndsThePeersGame)
{
    ASSERT_NO_FATAL_FAILURE(connect());
    ASSERT_NO_FATAL_FAILURE(startGame());
    const QString allClosed = QStringLiteral("您和所有棋友的网络连接都已经被中断！");
    challenger.net.leaveMode();
    EXPECT_FALSE(challenger.h.logged(QStringLiteral("System"), allClosed));
    ASSERT_TRUE(waitFor([&] { return !host.net.PeerConnected(); }));
    EXPECT_EQ(host.h.info.GameResult, QStringLiteral("网络中断，比赛结束！"));
    EXPECT_TRUE(host.h.notices.contains(QStringLiteral("Offline")));
    EXPECT_TRUE(host.h.logged(QStringLiteral("System"), QStringLiteral("到棋友(月下の旅人：") +
                                                            challenger.net.values().LocalAddress +
                                                            QStringLiteral(")的网络连接已经被断开！")));
    // The host keeps listening for the next challenger.
    EXPECT_TRUE(host.net.listening());
    EXPECT_EQ(host.net.NetworkRole(), QStringLiteral("server"));
    // A listening host that leaves the mode says that its connections are gone.
    host.net.leaveMode();
    EXPECT_TRUE(host.h.logged(QStringLiteral("System"), allClosed));
    EXPECT_FALSE(host.net.listening());
}

TEST_F(Pair, SameNicknameIsRefusedOnBothSides)
{
    challenger.net.askStart = [](const NetworkStartSetup&) {
        return NetworkStartChoice{Host, QStringLiteral("9 段"), Loopback};
    };
    ASSERT_NO_FATAL_FAILURE(host.host());
    challenger.net.setPort(host.net.listeningPort());
    challenger.net.Menu_Network_ClientClick();
    const auto same = [](const QString& address) {
        return QStringLiteral("棋友(山间的清风：") + address +
               QStringLiteral(")的昵称和您的昵称一样，不能进行正常对局，网络连接将被中断！");
    };
    // Each side names the address it knows: the host the one in the NAME,
    // the challenger the one it typed.
    ASSERT_TRUE(waitFor([&] { return challenger.h.logged(QStringLiteral("System"), same(Loopback)); }));
    EXPECT_TRUE(host.h.logged(QStringLiteral("System"), same(challenger.net.values().LocalAddress)));
    EXPECT_FALSE(host.net.PeerConnected());
    EXPECT_FALSE(challenger.net.PeerConnected());
    challenger.net.Menu_Network_NewGameClick();
    host.net.Menu_Network_NewGameClick();
    EXPECT_EQ(challenger.h.dialogs.boxes.last(), QStringLiteral("现在没有建立棋友连接，\r\r请连接棋友加入对局！"));
    EXPECT_EQ(host.h.dialogs.boxes.last(), QStringLiteral("现在没有建立棋友连接，\r\r请等待棋友加入对局！"));
}

TEST_F(Pair, HostingAnewDropsThePeerAfterConfirmation)
{
    ASSERT_NO_FATAL_FAILURE(connect());
    ASSERT_NO_FATAL_FAILURE(startGame());
    host.net.Menu_Network_ServerClick(); // "No": nothing changes
    EXPECT_EQ(host.h.dialogs.questions.last(),
              QStringLiteral("现在已经和棋友月下の旅人建立了连接，\r\r 您想重新启动“设局”服务吗？"));
    EXPECT_TRUE(host.net.PeerConnected());

    host.h.dialogs.answers.push_back(true);
    host.net.Menu_Network_ServerClick();
    EXPECT_TRUE(host.h.logged(QStringLiteral("System"), QStringLiteral("您和所有棋友的网络连接都已经被中断！")));
    EXPECT_EQ(host.h.info.GameResult, QStringLiteral("网络中断，比赛结束！"));
    EXPECT_TRUE(host.net.listening());
    ASSERT_TRUE(waitFor([&] { return !challenger.net.PeerConnected(); }));
    EXPECT_EQ(challenger.h.info.GameResult, QStringLiteral("网络中断，比赛结束！"));

    // The same challenger may come back.
    challenger.net.setPort(host.net.listeningPort());
    challenger.net.Menu_Network_ClientClick();
    EXPECT_TRUE(waitFor([&] { return host.net.PeerConnected() && challenger.net.PeerConnected(); }));
}

// A port that nothing listens on: one just given up.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

TEST(NetworkGame, ChallengeWithoutHostReportsTheFailureOnce)
{
    Side challenger(Challenger, QStringLiteral("3 段"));
    challenger.net.setPort(closedPort());
    challenger.net.Menu_Network_ClientClick();
    const LogEntry failed{QStringLiteral("System"),
                          QStringLiteral("无法连接到指定的计算机，可能是指定的计算机没有准备好，也有可能是您的网络出现故障，请检查一下！")};
    EXPECT_EQ(std::count(challenger.h.log.begin(), challenger.h.log.end(), failed), 1);
    EXPECT_EQ(challenger.net.NetworkRole(), QStringLiteral("client"));
    EXPECT_FALSE(challenger.net.PeerConnected());
}

// --- a raw peer speaking the wire bytes -------------------------------------------------

struct RawPeer : ::testing::Test {
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(host.host());
        peer.connectToHost(Loopback, host.net.listeningPort());
        ASSERT_TRUE(peer.waitForConnected(3000));
    }
    void write(const QByteArray& bytes)
    {
        peer.write(bytes);
        peer.waitForBytesWritten(1000);
    }
    // Reads what the host sent until it holds `expected`.
    bool receive(const QByteArray& expected)
    {
        return waitFor([&] {
            received += peer.readAll();
            return received.contains(expected);
        });
    }
    static QByteArray gbk(const char* utf8) { return net::toWire(QString::fromUtf8(utf8)); }
    // The peer says who it is and proposes Black on 9 × 9; the host agrees.
    void startGame()
    {
        write(gbk("CMMD NAME(月下の旅人)IP[10.0.0.2]RANK{3段}CMMD GAME OK? PB[月下の旅人]Handicap(0)BaordSize{9}"));
        ASSERT_TRUE(waitFor([&] { return host.net.gameInProgress(); }));
    }

    Side host{Host, QStringLiteral("9 段")};
    QTcpSocket peer;
    QByteArray received;
};

TEST_F(RawPeer, MergedAndSplitMessagesAreEachActedOn)
{
    // Greeting and proposal in one read.
    write(gbk("CMMD NAME(月下の旅人)IP[10.0.0.2]RANK{3段}CMMD GAME OK? PB[月下の旅人]Handicap(0)BaordSize{9}"));
    ASSERT_TRUE(waitFor([&] { return host.net.gameInProgress(); }));
    const QByteArray name = net::toWire(net::nameMessage(Host, host.net.values().LocalAddress, QStringLiteral("9段")));
    ASSERT_TRUE(receive(name + gbk("CMMD GAME OK! PB[月下の旅人]Handicap(0)BaordSize{9}")));
    EXPECT_EQ(host.net.values().PeerAddress, QStringLiteral("10.0.0.2"));

    // A move split at every byte, then a chat and a move in one read.
    const QByteArray play = "CMMD PLAY ;B[cc]";
    for (char c : play) {
        write(QByteArray(1, c));
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(waitFor([&] { return host.h.board.MoveCount() == 1; }));
    EXPECT_EQ(host.h.board.BoardPoints(3, 3), "BlackChess1");
    host.play(4, 4);
    ASSERT_TRUE(receive("CMMD PLAY ;W[dd]"));

    write(gbk("CHAT 月下の旅人(3段);好棋CMMD PLAY ;B[ee]"));
    ASSERT_TRUE(waitFor([&] { return host.h.board.MoveCount() == 3; }));
    EXPECT_TRUE(host.h.logged(QStringLiteral("Remote"), QStringLiteral("CHAT 月下の旅人(3段);好棋")));

    // A move the host's board refuses: the players are told.
    write("CMMD PLAY ;B[cc]");
    ASSERT_TRUE(waitFor([&] { return host.h.log.back().text.contains(QStringLiteral("不一致")); }));
    EXPECT_EQ(host.h.board.MoveCount(), 3);
}

TEST_F(RawPeer, SecondChallengerIsClosedAtOnce)
{
    write(gbk("CMMD NAME(月下の旅人)IP[10.0.0.2]RANK{3段}"));
    ASSERT_TRUE(waitFor([&] { return host.net.PeerConnected(); }));
    QTcpSocket second;
    second.connectToHost(Loopback, host.net.listeningPort());
    ASSERT_TRUE(waitFor([&] { return second.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_TRUE(host.h.logged(QStringLiteral("System"),
                              QStringLiteral("来自127.0.0.1的棋友想加入对局，但您已经有了对手，这个连接已经被拒绝！")));
    EXPECT_TRUE(host.net.PeerConnected());
    // The first challenger is still the one addressed.
    host.net.chatLineSent(QStringLiteral("还在"));
    EXPECT_TRUE(receive(gbk("CHAT 山间的清风(9段);还在")));
}

TEST_F(RawPeer, FloodDropsTheConnectionWithALogLine)
{
    write(gbk("CMMD NAME(月下の旅人)IP[10.0.0.2]RANK{3段}"));
    ASSERT_TRUE(waitFor([&] { return host.net.PeerConnected(); }));
    // One read of more than any message may be.
    const QByteArray flood = "CHAT x(1);" + QByteArray(2 * net::MessageReader::MaxPending, 'x');
    peer.write(flood);
    while (peer.bytesToWrite() > 0 && peer.waitForBytesWritten(1000)) {
    }
    ASSERT_TRUE(waitFor([&] { return !host.net.PeerConnected(); }));
    EXPECT_TRUE(host.h.logged(QStringLiteral("System"), net::texts::FloodLine));
    EXPECT_TRUE(waitFor([&] { return peer.state() == QAbstractSocket::UnconnectedState; }));
}

TEST_F(RawPeer, UndoRequestsSentBeforeTheAnswerAskOnce)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    write("CMMD PLAY ;B[cc]");
    ASSERT_TRUE(waitFor([&] { return host.h.board.MoveCount() == 1; }));
    // The user answers only after the whole burst has come in.
    const QString last = QStringLiteral("CHAT 月下の旅人(3段);完");
    host.h.dialogs.whileAsked = [&] {
        if (host.h.dialogs.questions.isEmpty()) waitFor([&] { return host.h.logged(QStringLiteral("Remote"), last); });
    };
    host.h.dialogs.answers.push_back(true);
    QByteArray burst;
    for (int k = 0; k < 200; ++k)
        burst += "CMMD UNDO";
    write(burst + net::toWire(last));
    ASSERT_TRUE(receive("CMMD UNOK"));
    // What the host sends after its answer arrives before this line.
    host.net.chatLineSent(QStringLiteral("好"));
    ASSERT_TRUE(receive(gbk("CHAT 山间的清风(9段);好")));
    EXPECT_EQ(host.h.dialogs.questions.size(), 1);
    EXPECT_EQ(received.count("CMMD UNOK"), 1);
    EXPECT_EQ(host.h.board.MoveCount(), 0);
}

TEST_F(RawPeer, WhatComesWhileTheUserIsAskedIsReadAfterTheAnswer)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    write("CMMD PLAY ;B[cc]");
    ASSERT_TRUE(waitFor([&] { return host.h.board.MoveCount() == 1; }));
    // The peer speaks while the undo question is open, then falls silent.
    const QString chat = QStringLiteral("CHAT 月下の旅人(3段);请快一点");
    host.h.dialogs.whileAsked = [&] {
        write(net::toWire(chat));
        QTest::qWait(200);
    };
    write("CMMD UNDO");
    ASSERT_TRUE(receive("CMMD UNNO"));
    EXPECT_TRUE(waitFor([&] { return host.h.logged(QStringLiteral("Remote"), chat); }));
}

TEST_F(RawPeer, AgreeingAfterTheProposerLeftStartsNoGame)
{
    write(gbk("CMMD NAME(月下の旅人)IP[10.0.0.2]RANK{3段}"));
    ASSERT_TRUE(waitFor([&] { return host.net.PeerConnected(); }));
    // The peer goes while the user reads the proposal, then the user agrees.
    host.net.answerProposal = [&](const net::Question&) {
        peer.abort();
        waitFor([&] { return !host.net.PeerConnected(); });
        return true;
    };
    write(gbk("CMMD GAME OK? PB[月下の旅人]Handicap(0)BaordSize{9}"));
    ASSERT_TRUE(waitFor([&] { return !host.net.PeerConnected(); }));
    EXPECT_FALSE(host.net.gameInProgress());
    EXPECT_EQ(host.h.board.BoardSize(), 19);
    EXPECT_EQ(host.h.info.GameResult, QStringLiteral("比赛还没有开始！"));
}

TEST(NetworkGame, ASilentConnectionLosesItsPlaceAndAGreetedPeerKeepsIt)
{
    constexpr int timeoutMs = 200;
    Side host(Host, QStringLiteral("9 段"));
    host.net.setGreetingTimeout(timeoutMs);
    ASSERT_NO_FATAL_FAILURE(host.host());
    QTcpSocket silent;
    silent.connectToHost(Loopback, host.net.listeningPort());
    ASSERT_TRUE(waitFor([&] {
        return host.h.logged(QStringLiteral("System"),
                             QStringLiteral("来自127.0.0.1的网络连接没有及时通报昵称，已经被中断！"));
    }));
    EXPECT_TRUE(waitFor([&] { return silent.state() == QAbstractSocket::UnconnectedState; }));

    Side challenger(Challenger, QStringLiteral("3 段"));
    challenger.net.setPort(host.net.listeningPort());
    challenger.net.Menu_Network_ClientClick();
    ASSERT_TRUE(waitFor([&] { return host.net.PeerConnected() && challenger.net.PeerConnected(); }));
    // Games may be slow: a peer that said its name is not timed.
    QTest::qWait(3 * timeoutMs);
    EXPECT_TRUE(host.net.PeerConnected());
    EXPECT_TRUE(challenger.net.PeerConnected());
}

TEST(NetworkGame, AChallengerBackRightAfterLeavingGetsIn)
{
    Side host(Host, QStringLiteral("9 段"));
    ASSERT_NO_FATAL_FAILURE(host.host());
    // Each new connection tends to arrive before the host hears the old one close.
    for (int k = 1; k <= 20; ++k) {
        const QString nick = QStringLiteral("客人%1").arg(k);
        QTcpSocket peer;
        peer.connectToHost(Loopback, host.net.listeningPort());
        ASSERT_TRUE(peer.waitForConnected(3000));
        peer.write(net::toWire(net::nameMessage(nick, Loopback, QStringLiteral("3段"))));
        ASSERT_TRUE(waitFor([&] { return host.net.PeerConnected() && host.net.values().PeerNickName == nick; }))
            << "attempt " << k;
    }
}

TEST(MyComputer, TheOwnAddressNeverWaitsForTheResolver)
{
    // A resolver that has not answered yet, and may never.
    std::function<void(const QList<QHostAddress>&)> answer;
    SetHostNameLookup([&](const QString&, std::function<void(const QList<QHostAddress>&)> done) { answer = done; });
    struct Restore {
        ~Restore() { SetHostNameLookup({}); }
    } restore;
    const QStringList interfaces = GetMyComputerIP();
    StartMyComputerIPLookup();
    EXPECT_EQ(GetMyComputerIP(), interfaces);
    ASSERT_TRUE(answer);
    answer({QHostAddress(QStringLiteral("127.0.1.1")), QHostAddress(QStringLiteral("10.1.2.3"))});
    EXPECT_EQ(GetMyComputerIP(), QStringList{QStringLiteral("10.1.2.3")});
}

// --- the two dialogs ------------------------------------------------------------------

TEST(NetworkDialogs, StartDialogChecksTheNicknameInGbkBytes)
{
    struct Row {
        const char* name;
        const char* refusal; // nullptr: accepted
    } rows[] = {
        {"", "请您注意：\r\r您的昵称不能为空！"},
        {"一二三四五六七八", "请您注意：\r您的昵称中不能含有 ( ) ; [ ] 等符号，\r并且昵称的长度不能超出7个汉字！"},
        {"a;b", "请您注意：\r您的昵称中不能含有 ( ) ; [ ] 等符号，\r并且昵称的长度不能超出7个汉字！"},
        {"一二三四五六七", nullptr},
    };
    for (const Row& row : rows) {
        QStringList said;
        TFormNetworkStart dialog({false, QStringLiteral("host"), {}}, [&](const QString& t) { said << t; });
        dialog.EditName()->setText(QString::fromUtf8(row.name));
        dialog.ComboBox1()->setCurrentIndex(26);
        dialog.Button1Click();
        if (row.refusal) {
            EXPECT_EQ(said, QStringList{QString::fromUtf8(row.refusal)}) << row.name;
            EXPECT_NE(dialog.result(), QDialog::Accepted);
        } else {
            EXPECT_TRUE(said.isEmpty());
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(net::texts::storedRank(dialog.choice().rankEntry), QStringLiteral("18级"));
        }
    }
    TFormNetworkStart hosting({true, QStringLiteral("host"), QStringLiteral("10.0.0.1")}, {});
    EXPECT_EQ(hosting.ComboBox1()->count(), 27);
    EXPECT_FALSE(hosting.EditIPAddress()->isEnabled());
    EXPECT_EQ(hosting.windowTitle(), QStringLiteral(" 网络对局 - 设局"));
}

TEST(NetworkDialogs, ReceivedProposalIsShownLocked)
{
    TFormNetworkNewGame dialog(Host, Challenger, {});
    dialog.showReceived({false, 3, QStringLiteral("19")});
    EXPECT_TRUE(dialog.RadioButtonWhite()->isChecked());
    EXPECT_EQ(dialog.CB_Handicap()->currentIndex(), 3);
    EXPECT_FALSE(dialog.GroupBox3()->isEnabled());
    EXPECT_FALSE(dialog.CB_Handicap()->isEnabled());
    EXPECT_FALSE(dialog.EditBoardSize()->isEnabled());
    EXPECT_TRUE(dialog.HintLabel()->isVisibleTo(&dialog));
    EXPECT_EQ(dialog.Button1()->text(), QStringLiteral("同意"));
    EXPECT_EQ(dialog.Button2()->text(), QStringLiteral("拒绝"));

    QStringList said;
    TFormNetworkNewGame proposing(Host, Challenger, [&](const QString& t) { said << t; });
    EXPECT_FALSE(proposing.HintLabel()->isVisibleTo(&proposing));
    proposing.CB_Handicap()->setCurrentIndex(2);
    proposing.EditBoardSize()->setText(QStringLiteral("4"));
    EXPECT_EQ(proposing.CB_Handicap()->currentIndex(), 0);
    EXPECT_FALSE(proposing.CB_Handicap()->isEnabled());
    proposing.Button1Click();
    EXPECT_EQ(said, QStringList{QStringLiteral("\r棋盘大小请输入5..19之间的数字！")});
}

} // namespace
} // namespace zemra
