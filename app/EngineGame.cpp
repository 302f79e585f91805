#include "app/EngineGame.h"

#include <QCoreApplication>
#include <QFile>

#include "app/LocalGame.h"
#include "app/MyComputer.h"
#include "app/MyMessageBox.h"
#include "app/ZemraApplication.h"
#include "engine/EngineCommand.h"
#include "engine/GtpProtocol.h"
#include "text/Utf8.h"

namespace zemra {

namespace {

const QString System = QStringLiteral("System");
const QString EngineName = QStringLiteral("GNU GO");
const QString NotInGame = QStringLiteral("您不在对局中，不能使用这项功能！");
const QString MarkingRefusal = QStringLiteral("\r请先取消\"标记死子\"！");
const QString Interrupted = QStringLiteral("比赛中断！");
const QString EnginePassText = QStringLiteral("GNU GO  弃权一手！");
// The engine was given up after a long silence (it has been stopped).
const QString EngineSilentText =
    QStringLiteral("GNU GO 长时间没有回应，已被停止，本局无法继续。棋盘和着法都保留着，可以保存棋谱。");

} // namespace

EngineGame::EngineGame(ModeHost& host)
    : ModeController(host), askNewGame([this] {
          return TFormGNUNewGame::run(
              this->host().dialogParent(), GetMyComputerName(),
              [this](QWidget*, const QString& text) { this->host().ShowInformation(text); },
              [this](const FileDialogSettings& settings) { return this->host().askOpenFileName(settings); });
      })
{
    // The window repaints, takes menu commands and answers clicks while GNU Go thinks.
    m_engine.setEventPump([] { QCoreApplication::processEvents(); });
    m_engine.setSilenceQuestion([this] {
        return this->host().askQuestion(QStringLiteral("信息提示"), fromUtf8(EngineSilentQuestion), QStringLiteral("继续等待"),
                                        QStringLiteral("取消"));
    });
}

void EngineGame::enterMode()
{
    m_hintBlinking = false;
    game().newGame(GameSetup::fixed(game().BoardSize(), 0));
}

bool EngineGame::mayLeave()
{
    if (!m_gameInProgress) return true;
    host().ShowInformation(QStringLiteral("正在和GNU GO进行对局，\r\r请结束对局后，再切换模式！"));
    return false;
}

void EngineGame::leaveMode()
{
    m_hintBlinking = false;
    if (game().MarkingDead()) setMarking(false);
}

bool EngineGame::usersTurn() const
{
    return m_gameInProgress && game().SideToMove() == userColour() && !awaitingEngine();
}

bool EngineGame::awaitingEngine() const
{
    return m_engine.awaitingReply() || m_openingPending;
}

std::optional<QString> EngineGame::closeRefusal() const
{
    // A wait still on the stack must unwind before the window goes.
    if (enginesTurn() || awaitingEngine()) return QStringLiteral("\r计算机正在思考，请等会儿再退出！");
    return std::nullopt;
}

std::span<const ModeController::Row> EngineGame::commands() const
{
    using E = EngineGame;
    static constexpr Row rows[] = {
        row<E, &E::Menu_GNUGO_NewGameClick, &E::newGameState>(Command::GnuNewGame),
        row<E, &E::Menu_GNUGO_UNDOClick, &E::passUndoState>(Command::GnuUndo),
        row<E, &E::Menu_GNUGO_PASSClick, &E::passUndoState>(Command::GnuPass),
        row<E, &E::Menu_GNUGO_EndGameClick, &E::endGameState>(Command::GnuEndGame),
        row<E, &E::Menu_GNUGO_EstimateClick>(Command::GnuEstimate),
        row<E, &E::Menu_GNUGO_HintClick>(Command::GnuHint),
        row<E, &E::Menu_GNUGO_FlagDeadClick, &E::markingState>(Command::GnuFlagDead),
        row<E, &E::Menu_GNUGO_DianMuClick>(Command::GnuDianMu),
    };
    return rows;
}

// --- refusals ------------------------------------------------------------------

bool EngineGame::refuseWithoutGame()
{
    if (m_gameInProgress) return false;
    host().SendOutMessage(System, NotInGame);
    return true;
}

bool EngineGame::refuseWhileMarking()
{
    if (!game().MarkingDead()) return false;
    host().ShowInformation(MarkingRefusal);
    return true;
}

// --- talking to the engine ---------------------------------------------------------

GtpReply EngineGame::ask(std::string_view command)
{
    return m_engine.request(command, gtp::replyTimeoutMs(command));
}

bool EngineGame::survived(const GtpReply& reply)
{
    switch (reply.status) {
    case ReplyStatus::Answered:
    case ReplyStatus::Refused: return true;
    case ReplyStatus::Exited:
    case ReplyStatus::Silent:
    case ReplyStatus::Unending: engineLost(reply.status); return false;
    case ReplyStatus::Busy:
    case ReplyStatus::NotRunning: break; // the game ended during the wait: nothing of it is touched
    }
    return false;
}

void EngineGame::engineLost(ReplyStatus status)
{
    finishGame();
    host().setBoardCursor(Qt::PointingHandCursor);
    host().showResult(Interrupted);
    const QString text = status == ReplyStatus::Exited     ? fromUtf8(EngineExitedText)
                         : status == ReplyStatus::Unending ? fromUtf8(EngineUnendingText)
                                                           : EngineSilentText;
    host().SendOutMessage(System, text);
    // The user chose to give up on a silent engine. A dead one comes unasked,
    // and one that talked is worth a word even after the question: the
    // question spoke of silence.
    if (status != ReplyStatus::Silent) host().ShowInformation(QStringLiteral("\r") + text);
}

void EngineGame::finishGame()
{
    m_gameInProgress = false;
    m_openingPending = false;
    m_hintBlinking = false;
    ++m_gameId;
    // Marking stays a part of the game: with no game its menu item refuses.
    if (game().MarkingDead()) setMarking(false);
    host().refreshMenus();
}

// --- a new game --------------------------------------------------------------------

void EngineGame::Menu_GNUGO_NewGameClick()
{
    if (m_gameInProgress) return; // the menu item is disabled then
    if (const std::optional<GnuNewGameChoice> choice = askNewGame()) StartNewGame(*choice);
}

bool EngineGame::StartNewGame(const GnuNewGameChoice& choice)
{
    const GameSetup setup = GameSetup::fixed(choice.boardSize, choice.handicapCount);
    if (m_gameInProgress || !setup.valid() || choice.level < 1 || choice.level > 10) return false;

    m_hintBlinking = false;
    if (game().MarkingDead()) setMarking(false);
    const QString me = GetMyComputerName();
    const bool userBlack = choice.userColour == Colour::Black;
    GameInfo info = friendlyGameInfo(QStringLiteral("中国"), userBlack ? me : EngineName, userBlack ? EngineName : me,
                                     choice.boardSize);
    (userBlack ? info.WhiteRank : info.BlackRank) = QStringLiteral("Level ") + QString::number(choice.level);
    // GNU Go's three stones are D4, Q16 and D16, the upper left one as ours.
    setUpNewGame(info, setup);
    host().playNotice(QStringLiteral("NewGame"));

    EngineSettings settings;
    settings.engineField = QFile::encodeName(choice.engineFile).toStdString();
    settings.neverResign = choice.neverResign;
    settings.level = choice.level;
    settings.boardSize = choice.boardSize;
    const EngineCommand command =
        engineCommandLine(settings, defaultEngineProgram(QFile::encodeName(host().programDir()).toStdString()));
    std::string error;
    if (!m_engine.start(command.argv, error)) {
        ZemraApplication::showError(withLineBreaks(QString::fromUtf8(error)));
        host().SendOutMessage(System, fromUtf8(EngineInstallHint));
        return true;
    }

    m_engineColour = opponentOf(choice.userColour);
    m_gameInProgress = true;
    m_passUndoEnabled = true;
    m_userMoveStarts.clear();
    const int id = ++m_gameId;
    host().refreshMenus();

    if (game().HandicapCount() > 0 && !survived(ask(gtp::fixedHandicap(game().HandicapCount())))) return true;
    const bool engineOpens = (game().HandicapCount() == 0) == (m_engineColour == Colour::Black);
    if (!engineOpens) return true;

    host().setBoardCursor(Qt::WaitCursor);
    m_openingPending = true;
    host().WaitTicks(20, [this, id] { return m_gameId != id; });
    if (m_gameId != id) return true; // ended (and perhaps replaced) during the pause
    m_openingPending = false;
    game().setSideToMove(m_engineColour);
    askEngineMove(false);
    return true;
}

// --- moves -------------------------------------------------------------------------

void EngineGame::boardClick(int i, int j, Qt::MouseButton button)
{
    if (button != Qt::LeftButton || game().MarkingDead() || !game().onBoard(i, j) || !usersTurn()) return;
    const Colour user = userColour();
    const int before = game().MoveCount();
    if (game().PlayChess(i, j, user) != PlayResult::OK) return;
    m_userMoveStarts.push_back(before);
    game().setSideToMove(m_engineColour);
    host().setBoardCursor(Qt::WaitCursor);
    if (!survived(ask(gtp::play(user, i, j, game().BoardSize())))) return;
    askEngineMove(false);
}

void EngineGame::askEngineMove(bool afterUsersPass)
{
    host().setBoardCursor(Qt::WaitCursor);
    const GtpReply reply = ask(gtp::genmove(m_engineColour));
    if (!survived(reply)) return;
    const gtp::MoveReply move = gtp::readMoveReply(reply.text, game().BoardSize());
    switch (move.kind) {
    case gtp::MoveKind::Point:
        // A point we refuse still ends the engine's turn.
        game().PlayChess(move.i, move.j, m_engineColour);
        giveTurnBack();
        break;
    case gtp::MoveKind::Pass: enginePasses(afterUsersPass); break;
    case gtp::MoveKind::Resign: engineResigns(); break;
    case gtp::MoveKind::Other: break; // the engine's turn stays pending; the user can end the game
    }
}

void EngineGame::giveTurnBack()
{
    game().setSideToMove(userColour());
    host().setBoardCursor(Qt::PointingHandCursor);
}

void EngineGame::enginePasses(bool afterUsersPass)
{
    if (!afterUsersPass) {
        giveTurnBack();
        host().SendOutMessage(System, EnginePassText);
        host().ShowInformation(QStringLiteral("\r") + EnginePassText);
        return;
    }
    host().SendOutMessage(System, EnginePassText);
    host().playNotice(QStringLiteral("Info"));
    host().ShowInformation(QStringLiteral("\r") + EnginePassText);
    // Recorded as the engine's pass, which hands the move to the user.
    game().PassMove();
    host().setBoardCursor(Qt::PointingHandCursor);
}

void EngineGame::engineResigns()
{
    m_engine.quit();
    m_passUndoEnabled = false;
    finishGame();
    host().setBoardCursor(Qt::PointingHandCursor);
    host().playNotice(QStringLiteral("Cheer"));
    host().SendOutMessage(System, QStringLiteral("GNU GO  投子认输！"));
    host().showResult(QStringLiteral("GNU GO 投子认输！"));
    host().ShowInformation(QStringLiteral("\rGNU GO  投子认输！"));
}

void EngineGame::Menu_GNUGO_PASSClick()
{
    if (refuseWithoutGame() || refuseWhileMarking() || !usersTurn()) return;
    m_hintBlinking = false;
    const Colour user = userColour();
    m_userMoveStarts.push_back(game().MoveCount());
    game().PassMove(); // ";B[]" or ";W[]", and the engine is to move
    host().setBoardCursor(Qt::WaitCursor);
    host().SendOutMessage(System, user == Colour::Black ? QStringLiteral("黑棋弃权一手！") : QStringLiteral("白棋弃权一手！"));
    if (!survived(ask(gtp::playPass(user)))) return;
    askEngineMove(true);
}

void EngineGame::Menu_GNUGO_UNDOClick()
{
    if (refuseWithoutGame() || refuseWhileMarking()) return;
    if (!usersTurn()) {
        host().SendOutMessage(System, QStringLiteral("计算机正在思考，请等会儿再悔棋。"));
        return;
    }
    // Nothing of the user's yet: an empty board, or only the engine's opening.
    if (m_userMoveStarts.empty()) return;
    m_hintBlinking = false;
    const int target = m_userMoveStarts.back();
    m_userMoveStarts.pop_back();
    // The engine took two moves back whatever they were; ours lacks the
    // engine's pass after a board move, which was never recorded.
    for (int k = 0; k < 2; ++k) {
        if (game().MoveCount() > target) game().Local_Undo();
        if (!survived(ask(gtp::Undo))) return;
    }
    game().setSideToMove(userColour());
}

void EngineGame::Menu_GNUGO_EndGameClick()
{
    if (!m_gameInProgress) return; // the menu item is disabled then
    if (!host().askQuestion(QStringLiteral("信息提示"), QStringLiteral("\r您确定结束当前对局吗？"), QStringLiteral("确定"),
                            QStringLiteral("取消")))
        return;
    if (!m_gameInProgress) return; // the engine was lost while the question was up
    m_engine.quit();
    finishGame();
    host().setBoardCursor(Qt::PointingHandCursor);
    host().showResult(Interrupted);
    host().SendOutMessage(System, QStringLiteral("和GNU GO的对局已经结束！"));
}

// --- estimate and hint ---------------------------------------------------------------

void EngineGame::Menu_GNUGO_EstimateClick()
{
    if (refuseWithoutGame()) return;
    // A reply meant for the board must not be read as the estimate.
    if (awaitingEngine()) {
        host().SendOutMessage(System, fromUtf8(EstimateBusyText));
        return;
    }
    const GtpReply reply = ask(gtp::EstimateScore);
    if (!survived(reply)) return;
    if (const std::optional<std::string> sentence = gtp::estimateSentence(reply.text))
        host().SendOutMessage(System, QString::fromStdString(*sentence));
}

void EngineGame::Menu_GNUGO_HintClick()
{
    if (refuseWithoutGame()) return;
    m_hintBlinking = false;
    if (awaitingEngine()) {
        host().SendOutMessage(System, fromUtf8(HintBusyText));
        return;
    }
    const Colour side = game().SideToMove();
    const GtpReply reply = ask(gtp::hint(side));
    if (!survived(reply)) return;
    const gtp::MoveReply hint = gtp::readHintReply(reply.text, game().BoardSize());
    if (hint.kind == gtp::MoveKind::Pass) host().SendOutMessage(System, QStringLiteral("棋局可能已经结束，电脑建议弃权。"));
    if (hint.kind == gtp::MoveKind::Point) blinkHint(hint.i, hint.j, side);
}

void EngineGame::blinkHint(int i, int j, Colour side)
{
    GamePresenter& board = host().presenter();
    const auto stopped = [this] { return !m_hintBlinking; };
    m_hintBlinking = true;
    while (m_hintBlinking) {
        board.showHintStone(i, j, side);
        host().WaitTicks(4, stopped);
        // As the model has it: the user may have played on the very point.
        board.redrawPoint(i, j);
        host().WaitTicks(4, stopped);
    }
    m_hintBlinking = false;
}

// --- marking and counting --------------------------------------------------------------

void EngineGame::Menu_GNUGO_FlagDeadClick()
{
    if (refuseWithoutGame()) return;
    if (!usersTurn()) {
        host().ShowInformation(QStringLiteral("\r计算机正在思考，请等会儿再标记死子！"));
        return;
    }
    setMarking(!game().MarkingDead());
}

void EngineGame::Menu_GNUGO_DianMuClick()
{
    if (refuseWithoutGame()) return;
    writeCount(host());
}

} // namespace zemra
