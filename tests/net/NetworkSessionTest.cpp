#include <gtest/gtest.h>

#include "net/MessageReader.h"
#include "net/NetworkSession.h"

using namespace zemra;
using namespace zemra::net;

namespace {

const QString Moon = QStringLiteral("月下の旅人");
const QString Wind = QStringLiteral("山间的清风");

// One copy of the program without window or socket.
struct Side {
    explicit Side(QString address) : session(game, info, [address] { return address; }) { session.enterMode(); }
    WeiQiGame game;
    GameInfo info;
    NetworkSession session;
    MessageReader reader;
    bool agrees = true; // the answer to every question
    QList<Reaction> seen;
};

// A host (山间的清风) and a challenger (月下の旅人) whose replies travel as
// wire bytes through each other's reader, questions answered by `agrees`.
class TwoSides : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.session.hostingStarted(Wind, QStringLiteral("9 段"), QStringLiteral("10.0.0.1"));
        client.session.challengeStarted(Moon, QStringLiteral("3 段"), QStringLiteral("10.0.0.1"));
        send(client, client.session.challengerConnected());
    }

    Side& other(Side& s) { return &s == &host ? client : host; }

    // Delivers the reaction's reply and everything it sets off.
    void send(Side& from, const Reaction& r)
    {
        if (r.reply.isEmpty()) return;
        Side& to = other(from);
        ASSERT_TRUE(to.reader.append(r.reply));
        while (std::optional<QByteArray> bytes = to.reader.next()) {
            const std::optional<Message> m = parseMessage(*bytes);
            ASSERT_TRUE(m) << bytes->toStdString();
            Reaction got = to.session.receive(*m);
            to.seen << got;
            send(to, got);
            for (std::optional<Question> q = got.question; q;) {
                const Reaction answer = to.session.answer(q->id, to.agrees);
                to.seen << answer;
                send(to, answer);
                q = answer.question;
            }
        }
    }

    void startGame(bool challengerTakesBlack, int handicapIndex, const QString& size)
    {
        send(client, client.session.propose({challengerTakesBlack, handicapIndex, size}));
    }

    // What the peer's bytes do on arrival, questions left unanswered.
    static Reaction arrive(Side& to, const char* utf8)
    {
        const std::optional<Message> m = parseMessageText(QString::fromUtf8(utf8));
        EXPECT_TRUE(m) << utf8;
        return m ? to.session.receive(*m) : Reaction{};
    }

    static std::string board(const WeiQiGame& g)
    {
        std::string out;
        for (int j = 1; j <= g.BoardSize(); ++j)
            for (int i = 1; i <= g.BoardSize(); ++i)
                out += static_cast<char>('0' + static_cast<int>(g.pointCode(i, j)));
        return out + ' ' + std::to_string(g.MoveCount()) + ' ' + std::string(g.SideToMoveWord());
    }

    void expectBoardsEqual() { EXPECT_EQ(board(host.game), board(client.game)); }

    Side host{QStringLiteral("10.0.0.1")};
    Side client{QStringLiteral("192.168.0.7")};
};

} // namespace

TEST_F(TwoSides, GreetingConnectsBothWithTheirNames)
{
    EXPECT_TRUE(host.session.values().PeerConnected);
    EXPECT_TRUE(client.session.values().PeerConnected);
    EXPECT_EQ(host.seen[0].systemLines,
              QStringList{QStringLiteral("棋友(月下の旅人：192.168.0.7)已经成功地和您建立了网络连接！")});
    EXPECT_EQ(host.seen[0].sound, QStringLiteral("Online"));
    EXPECT_EQ(fromWire(host.seen[0].reply), QStringLiteral("CMMD NAME(山间的清风)IP[10.0.0.1]RANK{9段}"));
    EXPECT_EQ(client.session.values().PeerRank, QStringLiteral("9段"));
    EXPECT_EQ(host.session.values().PeerRank, QStringLiteral("3段"));
    EXPECT_TRUE(client.seen[0].reply.isEmpty());
}

TEST_F(TwoSides, SameNicknameIsRefusedByTheHost)
{
    Side twin{QStringLiteral("10.0.0.9")};
    host.session.dropConnection();
    host.session.hostingStarted(Wind, QStringLiteral("9 段"), QStringLiteral("10.0.0.1"));
    twin.session.challengeStarted(Wind, QStringLiteral("9 段"), QStringLiteral("10.0.0.1"));
    const Reaction atHost = host.session.receive(*parseMessage(twin.session.challengerConnected().reply));
    QString line = QStringLiteral("棋友(山间的清风：10.0.0.9)的昵称和您的昵称一样，不能进行正常对局，网络连接将被中断！");
    EXPECT_EQ(atHost.systemLines, QStringList{line});
    EXPECT_EQ(fromWire(atHost.reply), QStringLiteral("QUIT 山间的清风"));
    const Reaction atTwin = twin.session.receive(*parseMessage(atHost.reply));
    EXPECT_TRUE(atTwin.closeConnection);
    EXPECT_EQ(atTwin.systemLines, QStringList{line.replace(QStringLiteral("10.0.0.9"), QStringLiteral("10.0.0.1"))});
    EXPECT_FALSE(host.session.values().PeerConnected);
    EXPECT_EQ(host.session.proposalRefusal(), QStringLiteral("现在没有建立棋友连接，\r\r请等待棋友加入对局！"));
    EXPECT_EQ(twin.session.proposalRefusal(), QStringLiteral("现在没有建立棋友连接，\r\r请连接棋友加入对局！"));
}

TEST_F(TwoSides, AcceptedProposalStartsTheSameGameOnBothBoards)
{
    startGame(true, 0, QStringLiteral("9"));
    const Reaction& asked = host.seen.at(1);
    EXPECT_EQ(asked.sound, QStringLiteral("Request"));
    ASSERT_TRUE(asked.question);
    EXPECT_EQ(asked.question->caption, QStringLiteral("对局申请 - 山间的清风 VS 月下の旅人"));
    EXPECT_EQ(asked.question->shown, (ProposalChoice{false, 0, QStringLiteral("9")}));
    EXPECT_EQ(fromWire(host.seen.at(2).reply), QStringLiteral("CMMD GAME OK! PB[月下の旅人]Handicap(0)BaordSize{9}"));
    for (Side* s : {&host, &client}) {
        EXPECT_EQ(s->game.BoardSize(), 9);
        EXPECT_EQ(s->info.BlackName, Moon);
        EXPECT_EQ(s->info.WhiteRank, QStringLiteral("9段"));
        EXPECT_EQ(s->info.GameResult, QStringLiteral("正在比赛！"));
        EXPECT_EQ(s->seen.last().sound, QStringLiteral("NewGame"));
    }
    EXPECT_EQ(client.session.values().NetworkColor, Colour::Black);
    EXPECT_EQ(host.session.values().NetworkColor, Colour::White);

    // The challenger moves first; moves go both ways, out-of-turn clicks do nothing.
    EXPECT_TRUE(host.session.playLocal(3, 3).reply.isEmpty());
    const int moves[][2] = {{3, 3}, {7, 7}, {3, 7}, {7, 3}};
    for (int k = 0; k < 4; ++k) {
        Side& mover = k % 2 == 0 ? client : host;
        send(mover, mover.session.playLocal(moves[k][0], moves[k][1]));
        expectBoardsEqual();
    }
    EXPECT_EQ(client.game.MoveCount(), 4);
}

TEST_F(TwoSides, HandicapAndRefusal)
{
    host.agrees = false;
    startGame(false, 3, QStringLiteral("19"));
    EXPECT_EQ(client.seen.last().systemLines, QStringList{QStringLiteral("棋友山间的清风已经拒绝了您的对局申请！")});
    EXPECT_FALSE(client.session.values().NetworkColor);

    host.agrees = true;
    startGame(false, 3, QStringLiteral("19"));
    for (Side* s : {&host, &client}) {
        EXPECT_EQ(s->game.HandicapCount(), 4);
        EXPECT_EQ(s->game.SideToMove(), Colour::White);
    }
    EXPECT_EQ(client.session.values().NetworkColor, Colour::White);
    expectBoardsEqual();
}

TEST_F(TwoSides, UndoTakesBackOneOrTwoMovesAlike)
{
    startGame(true, 0, QStringLiteral("19"));
    send(client, client.session.playLocal(4, 4));
    send(host, host.session.playLocal(16, 16));
    send(client, client.session.playLocal(16, 4));
    // The asker's move was last: one move back on both sides.
    send(client, client.session.requestUndo());
    EXPECT_EQ(host.seen.at(host.seen.size() - 2).question->text, QStringLiteral("棋友：月下の旅人\r\r申请悔棋，您同意吗？"));
    EXPECT_EQ(host.seen.last().undone, 1);
    EXPECT_EQ(client.seen.last().undone, 1);
    EXPECT_EQ(client.seen.last().systemLines, QStringList{QStringLiteral("对方同意了您的悔棋申请！")});
    EXPECT_EQ(client.game.MoveCount(), 2);
    expectBoardsEqual();
    // The peer has answered: the answer and the asker's move go back.
    send(client, client.session.playLocal(16, 4));
    send(host, host.session.requestUndo());
    EXPECT_EQ(client.seen.last().undone, 2);
    EXPECT_EQ(host.seen.last().undone, 2);
    EXPECT_EQ(host.game.MoveCount(), 1);
    expectBoardsEqual();

    client.agrees = false;
    send(host, host.session.playLocal(10, 10));
    send(host, host.session.requestUndo());
    EXPECT_EQ(host.seen.last().systemLines, QStringList{QStringLiteral("棋友月下の旅人拒绝了您的悔棋申请！")});
    EXPECT_EQ(host.game.MoveCount(), 2);
}

TEST_F(TwoSides, PassDrawAndResignation)
{
    startGame(true, 0, QStringLiteral("19"));
    EXPECT_TRUE(host.session.pass().reply.isEmpty()); // not its turn
    send(client, client.session.pass());
    EXPECT_EQ(host.seen.last().systemLines, QStringList{QStringLiteral("棋友 月下の旅人 弃权一手！")});
    EXPECT_EQ(host.game.MoveList().back(), ";B[]");
    expectBoardsEqual();

    client.agrees = false;
    send(host, host.session.offerDraw());
    EXPECT_EQ(host.seen.last().systemLines, QStringList{QStringLiteral("棋友月下の旅人拒绝了您的和棋申请！")});
    client.agrees = true;
    send(host, host.session.offerDraw());
    for (Side* s : {&host, &client}) {
        EXPECT_EQ(s->info.GameResult, QStringLiteral("比赛结束，和棋！"));
        EXPECT_FALSE(s->session.values().NetworkColor);
    }
    EXPECT_EQ(host.session.resign().information, QStringLiteral("  您现在不在对局中，\r\r这项功能还不能使用！"));

    startGame(true, 0, QStringLiteral("19"));
    const Reaction resigned = host.session.resign();
    send(host, resigned);
    const QString line = QStringLiteral("棋友山间的清风认输，棋友月下の旅人中盘胜！");
    EXPECT_EQ(resigned.systemLines, QStringList{line});
    EXPECT_EQ(client.seen.last().systemLines, QStringList{line});
    EXPECT_EQ(client.seen.last().sound, QStringLiteral("Cheer"));
    EXPECT_EQ(host.info.GameResult, QStringLiteral("棋友月下の旅人中盘胜！"));
    EXPECT_EQ(client.info.GameResult, QStringLiteral("棋友月下の旅人中盘胜！"));
}

TEST_F(TwoSides, AMoveOurBoardRefusesSaysTheBoardsDiffer)
{
    startGame(true, 0, QStringLiteral("9"));
    send(client, client.session.playLocal(3, 3));
    for (const char* text : {"CMMD PLAY ;B[cc]", "CMMD PLAY ;B[ss]"}) {
        const Reaction r = host.session.receive(*parseMessageText(QString::fromUtf8(text)));
        EXPECT_EQ(r.systemLines, QStringList{QStringLiteral("棋友下的一步棋在您的棋盘上无法落子，双方的棋盘已经不一致了！")});
        EXPECT_EQ(host.game.MoveCount(), 1);
    }
}

TEST_F(TwoSides, ChatAndLostConnection)
{
    const Reaction chat = host.session.receive(*parseMessageText(QStringLiteral("CHAT 月下の旅人(3段);你好;再见")));
    EXPECT_EQ(chat.remoteChat, QStringLiteral("CHAT 月下の旅人(3段);你好;再见"));

    startGame(true, 0, QStringLiteral("19"));
    const Reaction lost = host.session.connectionLost();
    EXPECT_EQ(lost.systemLines, QStringList{QStringLiteral("到棋友(月下の旅人：192.168.0.7)的网络连接已经被断开！")});
    EXPECT_EQ(lost.sound, QStringLiteral("Offline"));
    EXPECT_EQ(host.info.GameResult, QStringLiteral("网络中断，比赛结束！"));
    EXPECT_EQ(host.session.values().NetworkRole, Role::Server);
    EXPECT_TRUE(host.session.connectionLost().systemLines.isEmpty()); // reported once

    EXPECT_EQ(client.session.restartQuestion(texts::Restart::Hosting),
              QStringLiteral("现在已经和棋友山间的清风建立了连接，\r\r 您想断开连接，启动“设局”服务吗？"));
    EXPECT_FALSE(host.session.restartQuestion(texts::Restart::Hosting));
}

// Everything a peer can change on our side, to see that nothing did.
std::string state(const Side& s)
{
    std::string out;
    for (int j = 1; j <= s.game.BoardSize(); ++j)
        for (int i = 1; i <= s.game.BoardSize(); ++i)
            out += static_cast<char>('0' + static_cast<int>(s.game.pointCode(i, j)));
    return out + ' ' + std::to_string(s.game.MoveCount()) + ' ' + std::string(s.game.SideToMoveWord()) + ' ' +
           std::to_string(s.session.values().NetworkColor.has_value()) + ' ' + s.info.GameResult.toStdString();
}

TEST_F(TwoSides, AnswersWithoutTheirQuestionChangeNothing)
{
    startGame(true, 0, QStringLiteral("9"));
    for (const auto& [i, j] : {std::pair{3, 3}, {7, 7}, {3, 7}, {7, 3}}) {
        Side& mover = client.game.MoveCount() % 2 == 0 ? client : host;
        send(mover, mover.session.playLocal(i, j));
    }
    const char* undoIgnored = "您没有提出悔棋申请，棋友发来的回答已经被忽略！";
    const char* drawIgnored = "您没有提出和棋申请，棋友发来的回答已经被忽略！";
    const char* gameIgnored = "您没有提出这样的对局申请，棋友发来的回答已经被忽略！";
    const struct {
        const char* message;
        const char* line;
    } rows[] = {
        {"CMMD UNOK", undoIgnored},
        {"CMMD UNNO", undoIgnored},
        {"CMMD HeOK", drawIgnored},
        {"CMMD HeNO", drawIgnored},
        {"CMMD GAME OK! PB[月下の旅人]Handicap(0)BaordSize{9}", gameIgnored},
        {"CMMD GAME NO!", gameIgnored},
    };
    for (const auto& row : rows) {
        const std::string before = state(host);
        const Reaction r = arrive(host, row.message);
        EXPECT_EQ(r.systemLines, QStringList{QString::fromUtf8(row.line)}) << row.message;
        EXPECT_TRUE(r.reply.isEmpty() && !r.gameStarted) << row.message;
        EXPECT_EQ(state(host), before) << row.message;
    }

    // Four agreements to one request take back what one takes back.
    EXPECT_FALSE(host.session.requestUndo().reply.isEmpty());
    EXPECT_EQ(arrive(host, "CMMD UNOK").undone, 1);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(arrive(host, "CMMD UNOK").systemLines, QStringList{QString::fromUtf8(undoIgnored)});
    EXPECT_EQ(host.game.MoveCount(), 3);

    // An acceptance of other terms than proposed starts nothing.
    EXPECT_FALSE(host.session.propose({true, 0, QStringLiteral("19")}).reply.isEmpty());
    EXPECT_EQ(arrive(host, "CMMD GAME OK! PB[山间的清风]Handicap(0)BaordSize{13}").systemLines,
              QStringList{QString::fromUtf8(gameIgnored)});
    EXPECT_EQ(host.game.BoardSize(), 9);
    EXPECT_TRUE(arrive(host, "CMMD GAME OK! PB[山间的清风]Handicap(0)BaordSize{19}").gameStarted);
    EXPECT_EQ(host.game.BoardSize(), 19);
}

TEST_F(TwoSides, GameMessagesOutOfPlaceAreIgnored)
{
    const struct {
        const char* message;
        const char* line;
    } outsideGame[] = {
        {"CMMD PLAY ;B[cc]", "现在不在对局中，棋友发来的棋步已经被忽略！"},
        {"CMMD PASS", "现在不在对局中，棋友发来的弃权已经被忽略！"},
        {"CMMD SIGN", "现在不在对局中，棋友发来的认输已经被忽略！"},
        {"CMMD UNDO", "现在不在对局中，棋友发来的悔棋申请已经被忽略！"},
        {"CMMD HeQi", "现在不在对局中，棋友发来的和棋申请已经被忽略！"},
    };
    for (const auto& row : outsideGame) {
        const std::string before = state(host);
        const Reaction r = arrive(host, row.message);
        EXPECT_EQ(r.systemLines, QStringList{QString::fromUtf8(row.line)}) << row.message;
        EXPECT_FALSE(r.question) << row.message;
        EXPECT_EQ(state(host), before) << row.message;
    }

    // In a game the host plays White: a black stone from the peer is its
    // own colour, a white one is ours.
    startGame(true, 0, QStringLiteral("9"));
    const std::string before = state(host);
    EXPECT_EQ(arrive(host, "CMMD PLAY ;W[cc]").systemLines,
              QStringList{QStringLiteral("棋友发来的棋步是您一方的棋子，已经被忽略！")});
    EXPECT_EQ(state(host), before);
    EXPECT_TRUE(arrive(host, "CMMD PLAY ;B[cc]").systemLines.isEmpty());
    EXPECT_EQ(host.game.MoveCount(), 1);

    // A proposal from a connection that has not said who it is.
    Side stranger{QStringLiteral("10.0.0.5")};
    stranger.session.hostingStarted(Wind, QStringLiteral("9 段"), QStringLiteral("10.0.0.5"));
    const Reaction r = arrive(stranger, "CMMD GAME OK? PB[月下の旅人]Handicap(0)BaordSize{9}");
    EXPECT_FALSE(r.question);
    EXPECT_EQ(r.systemLines, QStringList{QStringLiteral("棋友还没有通报昵称，发来的对局申请已经被忽略！")});
}

TEST_F(TwoSides, RequestsRepeatedBeforeTheAnswerAreOneQuestion)
{
    startGame(true, 0, QStringLiteral("9"));
    send(client, client.session.playLocal(3, 3));
    send(host, host.session.playLocal(7, 7));
    int questions = 0;
    int undoQuestion = 0;
    for (int k = 0; k < 200; ++k) {
        const Reaction r = arrive(host, k == 100 ? "CMMD HeQi" : "CMMD UNDO");
        if (r.question) undoQuestion = r.question->id, ++questions;
    }
    EXPECT_EQ(questions, 1);
    // The draw offer that came meanwhile is asked once the undo is answered.
    const Reaction undone = host.session.answer(undoQuestion, true);
    EXPECT_EQ(fromWire(undone.reply), QStringLiteral("CMMD UNOK"));
    EXPECT_EQ(host.game.MoveCount(), 0);
    ASSERT_TRUE(undone.question);
    EXPECT_EQ(undone.question->kind, Question::Kind::Draw);
    const Reaction refused = host.session.answer(undone.question->id, false);
    EXPECT_EQ(fromWire(refused.reply), QStringLiteral("CMMD HeNO"));
    EXPECT_FALSE(refused.question);
    // An answer given twice counts once.
    EXPECT_TRUE(host.session.answer(undoQuestion, true).reply.isEmpty());

    // Our side asks once and waits for the answer.
    EXPECT_FALSE(client.session.requestUndo().reply.isEmpty());
    const Reaction again = client.session.requestUndo();
    EXPECT_TRUE(again.reply.isEmpty());
    EXPECT_EQ(again.information, QStringLiteral("  您的悔棋申请还在等待对方的回答，\r\r请稍候！"));
}

TEST_F(TwoSides, ARequestWaitingBehindAQuestionTheGameClosedIsAskedThen)
{
    startGame(true, 0, QStringLiteral("9"));
    send(client, client.session.playLocal(3, 3));
    ASSERT_TRUE(arrive(host, "CMMD UNDO").question);
    EXPECT_FALSE(arrive(host, "CMMD GAME OK? PB[月下の旅人]Handicap(0)BaordSize{13}").question) << "it waits its turn";
    // The resignation ends the game and with it the undo question.
    const Reaction resigned = arrive(host, "CMMD SIGN");
    ASSERT_TRUE(resigned.question);
    EXPECT_EQ(resigned.question->kind, Question::Kind::Proposal);
    host.session.answer(resigned.question->id, true);
    EXPECT_EQ(host.game.BoardSize(), 13);
}

TEST_F(TwoSides, AnAnswerGivenAfterThePeerLeftTakesNothingBack)
{
    // The peer asks to take back, the connection drops, then the user agrees.
    startGame(true, 0, QStringLiteral("9"));
    send(client, client.session.playLocal(3, 3));
    const Reaction asked = arrive(host, "CMMD UNDO");
    ASSERT_TRUE(asked.question);
    host.session.connectionLost();
    const Reaction late = host.session.answer(asked.question->id, true);
    EXPECT_EQ(late.undone, 0);
    EXPECT_TRUE(late.reply.isEmpty());
    EXPECT_EQ(host.game.MoveCount(), 1);
}
