#include "net/NetworkSession.h"

#include <algorithm>

namespace zemra::net {

QString roleWord(Role role)
{
    switch (role) {
    case Role::Server: return QStringLiteral("server");
    case Role::Client: return QStringLiteral("client");
    case Role::None: break;
    }
    return {};
}

NetworkSession::NetworkSession(WeiQiGame& game, GameInfo& info, AddressLookup ownAddress)
    : m_game(game), m_info(info), m_ownAddress(std::move(ownAddress))
{
}

void NetworkSession::endGame(const QString& result, Reaction& r)
{
    m_values.NetworkColor.reset();
    m_info.GameResult = result;
    r.resultChanged = true;
    closeGameQuestions();
}

namespace {

Question::Kind questionKind(Command command)
{
    switch (command) {
    case Command::Undo: return Question::Kind::Undo;
    case Command::DrawOffer: return Question::Kind::Draw;
    default: return Question::Kind::Proposal;
    }
}

bool sameTerms(const GameTerms& a, const GameTerms& b)
{
    return a.blackName == b.blackName && a.handicapIndex == b.handicapIndex && a.boardSize == b.boardSize;
}

} // namespace

void NetworkSession::closeGameQuestions()
{
    m_undoAsked = false;
    m_drawOffered = false;
    if (m_open && m_open->kind != Question::Kind::Proposal) m_open.reset();
    std::erase_if(m_held, [](const Message& m) { return m.command != Command::GameProposal; });
}

void NetworkSession::closeAllQuestions()
{
    closeGameQuestions();
    m_proposed.reset();
    m_open.reset();
    m_held.clear();
}

Reaction NetworkSession::refusedOutsideGame() const
{
    Reaction r;
    r.information = texts::NotInGameText;
    return r;
}

// --- the mode ---------------------------------------------------------------------

Reaction NetworkSession::enterMode()
{
    m_values = ConnectionValues{};
    m_values.LocalNickName = texts::DefaultNickName;
    m_values.LocalRank = texts::DefaultRank;
    closeAllQuestions();
    m_info = friendlyGameInfo(texts::NetworkPlace, texts::DefaultNickName, texts::DefaultPeerName, m_game.BoardSize());
    m_info.GameResult = texts::NotStartedResult;
    // No handicap stones go down here, so none may be left from another mode.
    m_game.newGame(GameSetup::fixed(m_game.BoardSize(), 0));
    Reaction r;
    r.gameStarted = true;
    return r;
}

Reaction NetworkSession::leaveMode()
{
    Reaction r;
    if (m_values.NetworkColor) endGame(texts::ConnectionEndedResult, r);
    m_values.PeerConnected = false;
    m_values.NetworkRole = Role::None;
    closeAllQuestions();
    return r;
}

// --- the connection -------------------------------------------------------------------

Reaction NetworkSession::hostingStarted(const QString& nickName, const QString& rankEntry, const QString& ownAddress)
{
    m_values.LocalNickName = nickName;
    m_values.LocalRank = texts::storedRank(rankEntry);
    m_values.LocalAddress = ownAddress;
    m_values.NetworkRole = Role::Server;
    closeAllQuestions();
    Reaction r;
    r.systemLines << texts::hostingLine(nickName, ownAddress);
    return r;
}

void NetworkSession::challengeStarted(const QString& nickName, const QString& rankEntry, const QString& peerAddress)
{
    m_values.LocalNickName = nickName;
    m_values.LocalRank = texts::storedRank(rankEntry);
    m_values.PeerAddress = peerAddress;
    m_values.NetworkRole = Role::Client;
    closeAllQuestions();
}

Reaction NetworkSession::challengeFailed()
{
    Reaction r;
    r.systemLines << texts::ConnectFailedLine;
    return r;
}

Reaction NetworkSession::challengerConnected()
{
    m_values.LocalAddress = m_ownAddress();
    Reaction r;
    r.reply = toWire(nameMessage(m_values.LocalNickName, m_values.LocalAddress, m_values.LocalRank));
    return r;
}

Reaction NetworkSession::connectionLost()
{
    Reaction r;
    // Whatever the peer asked or was asked is moot without it; an answer
    // the user gives afterwards is ignored.
    closeAllQuestions();
    if (!m_values.PeerConnected) return r;
    r.sound = texts::sound::Offline;
    m_values.PeerConnected = false;
    r.systemLines << texts::connectionLostLine(m_values.PeerNickName, m_values.PeerAddress);
    if (m_values.NetworkColor) endGame(texts::ConnectionEndedResult, r);
    return r;
}

Reaction NetworkSession::peerFlooded()
{
    Reaction r = connectionLost();
    r.systemLines.prepend(texts::FloodLine);
    return r;
}

std::optional<QString> NetworkSession::restartQuestion(texts::Restart wanted) const
{
    if (!m_values.PeerConnected) return std::nullopt;
    return texts::restartQuestion(m_values.PeerNickName, m_values.NetworkRole == Role::Server, wanted);
}

Reaction NetworkSession::dropConnection()
{
    Reaction r;
    if (m_values.NetworkRole == Role::Server) r.systemLines << texts::AllConnectionsClosedLine;
    m_values.PeerConnected = false;
    // Either side's running game is over once the connection is given up.
    if (m_values.NetworkColor) endGame(texts::ConnectionEndedResult, r);
    m_values.NetworkRole = Role::None;
    closeAllQuestions();
    return r;
}

// --- received messages --------------------------------------------------------------------

Reaction NetworkSession::receiveName(const Message& m)
{
    Reaction r;
    m_values.PeerNickName = m.nickName;
    m_values.PeerAddress = m.address;
    m_values.PeerRank = m.rank;
    const bool host = m_values.NetworkRole == Role::Server;
    if (m.nickName != m_values.LocalNickName) {
        m_values.PeerConnected = true;
        r.systemLines << texts::peerConnectedLine(m.nickName, m.address);
        r.sound = texts::sound::Online;
        if (host) {
            m_values.LocalAddress = m_ownAddress();
            r.reply = toWire(nameMessage(m_values.LocalNickName, m_values.LocalAddress, m_values.LocalRank));
        }
    } else {
        r.systemLines << texts::sameNicknameLine(m.nickName, m.address);
        if (host) r.reply = toWire(quitMessage(m_values.LocalNickName));
    }
    return r;
}

Reaction NetworkSession::receivePlay(const Message& m)
{
    Reaction r;
    const Colour colour = m.move.colour;
    if (!m_values.NetworkColor) {
        r.systemLines << texts::MoveOutsideGameLine;
        return r;
    }
    if (colour == *m_values.NetworkColor) {
        r.systemLines << texts::OwnColourMoveLine;
        return r;
    }
    m_game.setSideToMove(colour);
    r.sideToMoveChanged = true;
    // The peer's board took this move; ours refusing it means they differ.
    if (!m_game.onBoard(m.move.i, m.move.j) || m_game.PlayChess(m.move.i, m.move.j, colour) != PlayResult::OK) {
        r.systemLines << texts::BoardsDifferLine;
        return r;
    }
    m_game.setSideToMove(opponentOf(colour));
    return r;
}

Reaction NetworkSession::receiveQuit(const Message& m)
{
    Reaction r;
    m_values.PeerConnected = false;
    // A host closes too: a quitter must not keep the only place at its table.
    r.closeConnection = true;
    closeAllQuestions();
    m_values.PeerNickName = m.nickName;
    if (m.nickName != m_values.LocalNickName)
        r.systemLines << texts::connectionLostLine(m.nickName, m_values.PeerAddress);
    else
        r.systemLines << texts::sameNicknameLine(m.nickName, m_values.PeerAddress);
    if (m_values.NetworkColor) endGame(texts::ConnectionEndedResult, r);
    return r;
}

void NetworkSession::undo(int times, Reaction& r)
{
    for (int k = 0; k < times && m_game.MoveCount() > 0; ++k) {
        m_game.Local_Undo();
        ++r.undone;
    }
    r.sideToMoveChanged = true;
}

Reaction NetworkSession::receiveRequest(const Message& m)
{
    Reaction r;
    const Question::Kind kind = questionKind(m.command);
    const QString& peer = m_values.PeerNickName;
    if (kind == Question::Kind::Proposal && !m_values.PeerConnected) {
        r.systemLines << texts::ProposalBeforeGreetingLine;
        return r;
    }
    if (kind != Question::Kind::Proposal && !m_values.NetworkColor) {
        r.systemLines << (kind == Question::Kind::Undo ? texts::UndoOutsideGameLine : texts::DrawOutsideGameLine);
        return r;
    }
    if (m_open) {
        // The peer asked again before our answer could reach it: one question.
        const bool waiting = m_open->kind == kind || std::any_of(m_held.begin(), m_held.end(), [&](const Message& h) {
                                 return questionKind(h.command) == kind;
                             });
        if (!waiting) m_held.push_back(m);
        return r;
    }
    switch (kind) {
    case Question::Kind::Proposal:
        r.sound = texts::sound::Request;
        m_open = Question{Question::Kind::Proposal, texts::proposalCaption(m_values.LocalNickName, peer),
                          texts::AnswerHint,        texts::AgreeButton,
                          texts::RefuseButton,      shownProposal(m.terms)};
        m_openTerms = m.terms;
        break;
    case Question::Kind::Draw:
        r.systemLines << texts::DrawOfferReceivedLine;
        r.sound = texts::sound::Info;
        m_open = Question{Question::Kind::Draw, texts::DrawCaption,  texts::drawQuestion(peer),
                          texts::AgreeButton,   texts::RefuseButton, {}};
        break;
    case Question::Kind::Undo:
        r.systemLines << texts::UndoRequestReceivedLine;
        r.sound = texts::sound::Info;
        m_open = Question{Question::Kind::Undo, texts::UndoCaption,  texts::undoQuestion(peer),
                          texts::AgreeButton,   texts::RefuseButton, {}};
        break;
    }
    m_open->id = ++m_lastQuestionId;
    r.question = m_open;
    return r;
}

Reaction NetworkSession::receiveAnswer(const Message& m)
{
    Reaction r;
    const QString& peer = m_values.PeerNickName;
    switch (m.command) {
    case Command::UndoAgreed:
    case Command::UndoRefused:
        if (!std::exchange(m_undoAsked, false)) {
            r.systemLines << texts::UndoAnswerIgnoredLine;
        } else if (m.command == Command::UndoRefused) {
            r.systemLines << texts::undoRefusedByPeerLine(peer);
        } else {
            r.systemLines << texts::UndoAgreedByPeerLine;
            // The peer moved last: our move and its answer go back.
            const bool peerMovedLast = m_values.NetworkColor && m_game.SideToMove() == *m_values.NetworkColor;
            undo(peerMovedLast ? 2 : 1, r);
        }
        break;
    case Command::DrawAgreed:
    case Command::DrawRefused:
        if (!std::exchange(m_drawOffered, false)) {
            r.systemLines << texts::DrawAnswerIgnoredLine;
        } else if (m.command == Command::DrawRefused) {
            r.systemLines << texts::drawRefusedByPeerLine(peer);
        } else {
            r.systemLines << texts::DrawResult;
            endGame(texts::DrawResult, r);
        }
        break;
    case Command::GameAccepted:
        // The acceptance copies our proposal back; other terms were never offered.
        if (!m_proposed || !sameTerms(*m_proposed, m.terms)) {
            r.systemLines << texts::GameAnswerIgnoredLine;
            break;
        }
        r.sound = texts::sound::NewGame;
        startAgreedGame(m.terms);
        r.gameStarted = true;
        break;
    case Command::GameRefused:
        if (!m_proposed) {
            r.systemLines << texts::GameAnswerIgnoredLine;
            break;
        }
        m_proposed.reset();
        r.systemLines << texts::proposalRefusedLine(peer);
        break;
    default: break;
    }
    return r;
}

Reaction NetworkSession::receive(const Message& m)
{
    Reaction r = receiveMessage(m);
    askHeld(r);
    return r;
}

Reaction NetworkSession::receiveMessage(const Message& m)
{
    const QString& peer = m_values.PeerNickName;
    Reaction r;
    switch (m.command) {
    case Command::Name: return receiveName(m);
    case Command::Play: return receivePlay(m);
    case Command::Quit: return receiveQuit(m);
    case Command::GameProposal:
    case Command::DrawOffer:
    case Command::Undo: return receiveRequest(m);
    case Command::GameAccepted:
    case Command::GameRefused:
    case Command::DrawAgreed:
    case Command::DrawRefused:
    case Command::UndoAgreed:
    case Command::UndoRefused: return receiveAnswer(m);
    case Command::Pass:
        if (!m_values.NetworkColor) {
            r.systemLines << texts::PassOutsideGameLine;
            break;
        }
        r.systemLines << texts::passLine(peer);
        m_game.PassMove();
        r.sideToMoveChanged = true;
        break;
    case Command::Resign:
        if (!m_values.NetworkColor) {
            r.systemLines << texts::ResignOutsideGameLine;
            break;
        }
        r.systemLines << texts::resignLine(peer, m_values.LocalNickName);
        endGame(texts::winResult(m_values.LocalNickName), r);
        r.sound = texts::sound::Cheer;
        break;
    case Command::Chat: r.remoteChat = m.text; break;
    }
    return r;
}

Reaction NetworkSession::answer(int questionId, bool agreed)
{
    Reaction r;
    if (!m_open || m_open->id != questionId) return r;
    const Question::Kind kind = std::exchange(m_open, std::nullopt)->kind;
    switch (kind) {
    case Question::Kind::Draw:
        if (agreed) {
            r.systemLines << texts::DrawResult;
            endGame(texts::DrawResult, r);
            r.reply = toWire(plainMessage(Command::DrawAgreed));
        } else {
            r.systemLines << texts::DrawRefusedLine;
            r.reply = toWire(plainMessage(Command::DrawRefused));
        }
        break;
    case Question::Kind::Undo:
        if (agreed) {
            r.systemLines << texts::UndoAgreedLine;
            r.reply = toWire(plainMessage(Command::UndoAgreed));
            // Our own move was last: the asker's move and ours go back.
            const bool ownMoveLast = !m_values.NetworkColor || m_game.SideToMove() != *m_values.NetworkColor;
            undo(ownMoveLast ? 2 : 1, r);
        } else {
            r.systemLines << texts::UndoRefusedLine;
            r.reply = toWire(plainMessage(Command::UndoRefused));
        }
        break;
    case Question::Kind::Proposal:
        if (agreed) {
            r.reply = acceptanceWire(m_openTerms);
            r.sound = texts::sound::NewGame;
            startAgreedGame(m_openTerms);
            r.gameStarted = true;
        } else {
            r.reply = toWire(plainMessage(Command::GameRefused));
        }
        break;
    }
    askHeld(r);
    return r;
}

void NetworkSession::askHeld(Reaction& r)
{
    while (!m_open && !m_held.empty()) {
        const Message next = m_held.front();
        m_held.erase(m_held.begin());
        const Reaction asked = receiveRequest(next);
        r.systemLines << asked.systemLines;
        if (!asked.sound.isEmpty()) r.sound = asked.sound;
        r.question = asked.question;
    }
}

// --- local commands ----------------------------------------------------------------------------

Reaction NetworkSession::playLocal(int i, int j)
{
    Reaction r;
    const std::optional<Colour> own = m_values.NetworkColor;
    if (m_values.NetworkRole == Role::None || !own || m_game.SideToMove() != *own || !m_game.onBoard(i, j)) return r;
    if (m_game.PlayChess(i, j, *own) != PlayResult::OK) return r;
    m_game.setSideToMove(opponentOf(*own));
    r.sideToMoveChanged = true;
    r.reply = toWire(playMessage(*own, i, j));
    return r;
}

QString NetworkSession::proposalRefusal() const
{
    switch (m_values.NetworkRole) {
    case Role::None: return texts::NoConnectionText;
    case Role::Server:
        if (!m_values.PeerConnected) return texts::WaitForPeerText;
        break;
    case Role::Client:
        if (!m_values.PeerConnected) return texts::ConnectToPeerText;
        break;
    }
    return m_proposed ? texts::ProposalStillOpenText : QString();
}

Reaction NetworkSession::propose(const ProposalChoice& choice)
{
    Reaction r;
    r.information = proposalRefusal();
    if (!r.information.isEmpty()) return r;
    const QString& black = choice.takeBlack ? m_values.LocalNickName : m_values.PeerNickName;
    const QString message = proposalMessage(black, choice.handicapIndex, choice.sizeText);
    r.reply = toWire(message);
    // The terms as the peer reads them, to know its acceptance by.
    if (const std::optional<Message> sent = parseMessageText(message)) m_proposed = sent->terms;
    return r;
}

Reaction NetworkSession::requestUndo()
{
    if (!m_values.NetworkColor) return refusedOutsideGame();
    Reaction r;
    // A second request would cross the answer to the first on the wire.
    if (m_undoAsked) {
        r.information = texts::UndoStillAskedText;
        return r;
    }
    m_undoAsked = true;
    r.systemLines << texts::UndoRequestSentLine;
    r.reply = toWire(plainMessage(Command::Undo));
    return r;
}

Reaction NetworkSession::pass()
{
    if (!m_values.NetworkColor) return refusedOutsideGame();
    Reaction r;
    if (m_game.SideToMove() != *m_values.NetworkColor) return r;
    r.systemLines << texts::passLine(m_values.LocalNickName);
    m_game.PassMove();
    r.sideToMoveChanged = true;
    r.reply = toWire(plainMessage(Command::Pass));
    return r;
}

Reaction NetworkSession::offerDraw()
{
    if (!m_values.NetworkColor) return refusedOutsideGame();
    Reaction r;
    if (m_drawOffered) {
        r.information = texts::DrawStillOfferedText;
        return r;
    }
    m_drawOffered = true;
    r.systemLines << texts::DrawOfferSentLine;
    r.reply = toWire(plainMessage(Command::DrawOffer));
    return r;
}

Reaction NetworkSession::resign()
{
    if (!m_values.NetworkColor) return refusedOutsideGame();
    Reaction r;
    r.systemLines << texts::resignLine(m_values.LocalNickName, m_values.PeerNickName);
    endGame(texts::winResult(m_values.PeerNickName), r);
    r.reply = toWire(plainMessage(Command::Resign));
    return r;
}

ProposalChoice NetworkSession::shownProposal(const GameTerms& terms) const
{
    return ProposalChoice{terms.blackName == m_values.LocalNickName, terms.handicapIndex, terms.sizeText};
}

void NetworkSession::startAgreedGame(const GameTerms& terms)
{
    const bool localBlack = terms.blackName == m_values.LocalNickName;
    m_values.NetworkColor = localBlack ? Colour::Black : Colour::White;
    const QString& local = m_values.LocalNickName;
    const QString& peer = m_values.PeerNickName;
    m_info.BlackName = localBlack ? local : peer;
    m_info.BlackRank = localBlack ? m_values.LocalRank : m_values.PeerRank;
    m_info.WhiteName = localBlack ? peer : local;
    m_info.WhiteRank = localBlack ? m_values.PeerRank : m_values.LocalRank;
    m_info.SizeText = QString::number(terms.boardSize);
    m_info.GameResult = texts::RunningResult;
    // Requests about the game before, and proposals that crossed this one,
    // no longer apply.
    closeAllQuestions();

    // Both boards get the same stones: the fixed layout, never the
    // three-stone corner a record may have used. The terms were checked
    // when they arrived.
    m_game.newGame(GameSetup::fixed(terms.boardSize, terms.handicapCount()));
}

} // namespace zemra::net
