#include "app/NetworkGame.h"

#include <sys/socket.h>

#include <cerrno>
#include <stdexcept>

#include "app/MyComputer.h"
#include "app/NetworkAddresses.h"
#include "app/ZemraApplication.h"
#include "net/ChatMessage.h"
#include "net/Wire.h"

namespace zemra {

namespace texts = net::texts;

NetworkGame::NetworkGame(ModeHost& host)
    : ModeController(host), m_session(host.game(), host.gameInfo(), [] { return GetMyComputerIP().constFirst(); })
{
    askStart = [this](const NetworkStartSetup& setup) {
        return TFormNetworkStart::run(this->host().dialogParent(), setup,
                                      [this](const QString& text) { this->host().ShowInformation(text); });
    };
    askProposal = [this] {
        return TFormNetworkNewGame::ask(this->host().dialogParent(), values().LocalNickName, values().PeerNickName,
                                        [this](const QString& text) { this->host().ShowInformation(text); });
    };
    answerProposal = [this](const net::Question& question) {
        return TFormNetworkNewGame::answer(this->host().dialogParent(), question, values().LocalNickName,
                                           [this](const QString& text) { this->host().ShowInformation(text); });
    };
    connect(&m_server, &QTcpServer::newConnection, this, [this] { runGuarded([this] { acceptConnections(); }); });
    m_greeting.setSingleShot(true);
    m_greeting.setInterval(GreetingTimeoutMs);
    connect(&m_greeting, &QTimer::timeout, this, [this] { runGuarded([this] { greetingOverdue(); }); });
}

NetworkGame::~NetworkGame()
{
    m_closing = true;
    closeSockets();
}

QString NetworkGame::NetworkColor() const
{
    const std::optional<Colour> colour = values().NetworkColor;
    if (!colour) return {};
    const std::string_view word = sideWord(*colour);
    return QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size()));
}

// --- the mode ---------------------------------------------------------------------

void NetworkGame::enterMode()
{
    m_closing = false;
    // Known by the time a NAME goes out, without the window waiting for it.
    StartMyComputerIPLookup();
    apply(m_session.enterMode());
}

void NetworkGame::leaveMode()
{
    // A host tells its user that every connection goes with the listener.
    const bool wasListening = m_server.isListening();
    closeSockets();
    net::Reaction r = m_session.leaveMode();
    if (wasListening) r.systemLines.prepend(texts::AllConnectionsClosedLine);
    apply(r);
}

void NetworkGame::closing()
{
    m_closing = true;
    closeSockets();
}

void NetworkGame::boardClick(int i, int j, Qt::MouseButton button)
{
    if (button == Qt::LeftButton) apply(m_session.playLocal(i, j));
}

std::span<const ModeController::Row> NetworkGame::commands() const
{
    using N = NetworkGame;
    static constexpr Row rows[] = {
        row<N, &N::Menu_Network_ServerClick>(Command::NetServer),
        row<N, &N::Menu_Network_ClientClick>(Command::NetClient),
        inactive(Command::NetObserve),
        row<N, &N::Menu_Network_NewGameClick>(Command::NetNewGame),
        row<N, &N::Menu_Network_UndoClick>(Command::NetUndo),
        row<N, &N::Menu_Network_PassClick>(Command::NetPass),
        row<N, &N::Menu_Network_HeQiClick>(Command::NetHeQi),
        row<N, &N::Menu_Network_ResignClick>(Command::NetResign),
        inactive(Command::NetFlagDead),
        inactive(Command::NetDianMu),
    };
    return rows;
}

QString NetworkGame::chatName() const
{
    return values().LocalNickName + QLatin1Char('(') + values().LocalRank + QLatin1Char(')');
}

void NetworkGame::chatLineSent(const QString& text)
{
    if (values().NetworkRole == net::Role::None) return;
    if (const QString refusal = net::chatRefusal(text); !refusal.isEmpty()) {
        host().SendOutMessage(QStringLiteral("System"), refusal);
        return;
    }
    send(net::toWire(net::chatMessage(values().LocalNickName, values().LocalRank, text)));
}

// --- hosting and challenging ----------------------------------------------------------

bool NetworkGame::confirmRestart(texts::Restart wanted)
{
    const std::optional<QString> question = m_session.restartQuestion(wanted);
    if (!question) return true;
    if (!host().askYesNo(*question)) return false;
    closeSockets();
    apply(m_session.dropConnection());
    return true;
}

void NetworkGame::Menu_Network_ServerClick()
{
    if (!confirmRestart(texts::Restart::Hosting)) return;
    const std::optional<NetworkStartChoice> choice =
        askStart(NetworkStartSetup{true, GetMyComputerName(), GetMyComputerIP().constFirst()});
    if (!choice) return;
    // A waiting host or an unanswered challenge gives way to the new one.
    closeSockets();
    if (!m_server.listen(QHostAddress::Any, m_port))
        throw std::runtime_error(
            QStringLiteral("无法在端口%1上设局：%2").arg(m_port).arg(m_server.errorString()).toStdString());
    apply(m_session.hostingStarted(choice->nickName, choice->rankEntry, choice->address));
}

void NetworkGame::Menu_Network_ClientClick()
{
    if (!confirmRestart(texts::Restart::Challenging)) return;
    const std::optional<NetworkStartChoice> choice = askStart(NetworkStartSetup{false, GetMyComputerName(), {}});
    if (!choice) return;
    closeSockets();
    m_session.challengeStarted(choice->nickName, choice->rankEntry, choice->address);

    m_client = new QTcpSocket(this);
    watch(m_client);
    connect(m_client, &QTcpSocket::connected, this, [this] { runGuarded([this] { apply(m_session.challengerConnected()); }); });
    m_client->connectToHost(choice->address, m_port);
    // About 1.9 s; a refused attempt need not be waited out.
    host().WaitTicks(20, [this] { return !m_client || m_client->state() == QAbstractSocket::ConnectedState; });
    if (!m_client || m_client->state() != QAbstractSocket::ConnectedState) apply(m_session.challengeFailed());
}

// --- proposals and requests -------------------------------------------------------------

void NetworkGame::Menu_Network_NewGameClick()
{
    const QString refusal = m_session.proposalRefusal();
    if (!refusal.isEmpty()) {
        host().ShowInformation(refusal);
        return;
    }
    if (const std::optional<net::ProposalChoice> choice = askProposal()) apply(m_session.propose(*choice));
}

void NetworkGame::Menu_Network_UndoClick()
{
    apply(m_session.requestUndo());
}

void NetworkGame::Menu_Network_PassClick()
{
    apply(m_session.pass());
}

void NetworkGame::Menu_Network_HeQiClick()
{
    apply(m_session.offerDraw());
}

void NetworkGame::Menu_Network_ResignClick()
{
    apply(m_session.resign());
}

// --- showing what the session decided ------------------------------------------------------

void NetworkGame::apply(const net::Reaction& r)
{
    showReaction(r);
    if (r.question) ask(*r.question);
}

void NetworkGame::showReaction(const net::Reaction& r)
{
    for (const QString& line : r.systemLines)
        host().SendOutMessage(QStringLiteral("System"), line);
    if (!r.remoteChat.isEmpty()) host().SendOutMessage(QStringLiteral("Remote"), r.remoteChat);
    if (!r.information.isEmpty()) host().ShowInformation(r.information);
    if (!r.sound.isEmpty()) host().playNotice(r.sound);
    if (!r.reply.isEmpty()) send(r.reply);
    if (r.gameStarted) host().showGameInfo();
    // Showing the information colours Black as to move; with handicap stones
    // White is.
    if (r.gameStarted || r.sideToMoveChanged) host().showSideToMove(game().SideToMove());
    if (r.resultChanged) host().showResult(host().gameInfo().GameResult);
    if (r.closeConnection) dropPeer();
    host().refreshMenus();
}

void NetworkGame::ask(net::Question q)
{
    // Messages that arrive while the user thinks are read once the answer is
    // given (a lost connection is noticed meanwhile); the session keeps
    // further requests back until this one is answered, and ignores the
    // answer if the question was closed in between.
    for (;;) {
        // Closed by what came after it in the same read.
        if (!m_session.questionOpen(q.id)) return;
        const bool agreed = q.kind == net::Question::Kind::Proposal
                                ? answerProposal(q)
                                : host().askQuestion(q.caption, q.text, q.agreeButton, q.refuseButton);
        const net::Reaction r = m_session.answer(q.id, agreed);
        showReaction(r);
        if (!r.question) return;
        q = *r.question;
    }
}

void NetworkGame::send(const QByteArray& bytes)
{
    switch (values().NetworkRole) {
    case net::Role::Server: SendMessageToClient(bytes); break;
    case net::Role::Client: SendMessageToServer(bytes); break;
    case net::Role::None: break;
    }
}

void NetworkGame::SendMessageToClient(const QByteArray& bytes)
{
    if (bytes.isEmpty() || !m_server.isListening() || !m_accepted) return;
    m_accepted->write(bytes);
}

void NetworkGame::SendMessageToServer(const QByteArray& bytes)
{
    if (bytes.isEmpty() || !m_client || m_client->state() != QAbstractSocket::ConnectedState) return;
    m_client->write(bytes);
}

// --- sockets ------------------------------------------------------------------------------

void NetworkGame::dropSocket(QTcpSocket*& socket)
{
    if (!socket) return;
    QTcpSocket* s = std::exchange(socket, nullptr);
    // Our handlers must not hear of a connection we end ourselves.
    s->disconnect(this);
    s->abort();
    if (m_notifying > 0)
        m_dropped.push_back(s);
    else
        s->deleteLater();
}

void NetworkGame::notified(const std::function<void()>& handler)
{
    ++m_notifying;
    runGuarded(handler);
    if (--m_notifying > 0) return;
    for (QTcpSocket* s : std::exchange(m_dropped, {}))
        s->deleteLater();
}

void NetworkGame::dropPeer()
{
    dropSocket(m_accepted);
    dropSocket(m_client);
    m_reader.reset();
    m_greeting.stop();
}

void NetworkGame::closeSockets()
{
    dropPeer();
    m_server.close();
}

namespace {

// The peer's address as a user reads it (an IPv4 peer of a dual-stack
// listener comes as ::ffff:a.b.c.d).
QString dottedAddress(const QTcpSocket* socket)
{
    bool ipv4 = false;
    const quint32 v4 = socket->peerAddress().toIPv4Address(&ipv4);
    return ipv4 ? QHostAddress(v4).toString() : socket->peerAddress().toString();
}

// The peer has closed (or reset) a connection whose end we have not been
// told of yet: a challenger that leaves and comes straight back arrives
// before that notice.
bool peerHasClosed(QTcpSocket* socket)
{
    if (socket->state() != QAbstractSocket::ConnectedState) return true;
    char byte = 0;
    const auto n = ::recv(static_cast<int>(socket->socketDescriptor()), &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
}

} // namespace

void NetworkGame::acceptConnections()
{
    while (QTcpSocket* s = m_server.nextPendingConnection()) {
        if (m_accepted && peerHasClosed(m_accepted)) lost(m_accepted);
        if (m_accepted) {
            // Messages go to the first challenger only; a second one would
            // wait for an answer that never comes.
            host().SendOutMessage(QStringLiteral("System"), texts::busyRefusedLine(dottedAddress(s)));
            s->abort();
            s->deleteLater();
            continue;
        }
        m_accepted = s;
        m_reader.reset();
        watch(s);
        m_greeting.start();
    }
}

void NetworkGame::greetingOverdue()
{
    // A peer that has introduced itself may think as long as it likes.
    if (!m_accepted || values().PeerConnected) return;
    host().SendOutMessage(QStringLiteral("System"), texts::silentConnectionLine(dottedAddress(m_accepted)));
    dropPeer();
    apply(m_session.connectionLost());
}

void NetworkGame::watch(QTcpSocket* socket)
{
    // Our messages are a few bytes each. With Nagle's algorithm a move sent
    // while the peer still delays its acknowledgement of the last message
    // waited for it: 30-40 ms a move on loopback, more across a network.
    auto noDelay = [socket] { socket->setSocketOption(QAbstractSocket::LowDelayOption, 1); };
    if (socket->state() == QAbstractSocket::ConnectedState) noDelay();
    connect(socket, &QTcpSocket::connected, this, noDelay);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { notified([&] { readFrom(socket); }); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { notified([&] { lost(socket); }); });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] { notified([&] { lost(socket); }); });
}

void NetworkGame::readFrom(QTcpSocket* socket)
{
    // A socket does not notify again while its notification runs, and a
    // question asked here runs inside it: what came meanwhile is read once
    // the user has answered, or it would wait for the peer's next bytes.
    while (socket == m_accepted || socket == m_client) {
        const QByteArray bytes = socket->readAll();
        if (bytes.isEmpty()) return;
        if (!m_reader.append(bytes)) {
            // More than any message can be: the peer floods or is no copy of ours.
            dropPeer();
            apply(m_session.peerFlooded());
            return;
        }
        processPending();
    }
}

void NetworkGame::processPending()
{
    // Everything that has arrived is handled before the user is asked: what
    // the peer sent before it could see our answer must not be taken as
    // coming after it (two hundred undo requests are one).
    std::optional<net::Question> question;
    while (std::optional<QByteArray> bytes = m_reader.next()) {
        const std::optional<net::Message> message = net::parseMessage(*bytes);
        if (!message) continue;
        const net::Reaction r = m_session.receive(*message);
        showReaction(r);
        if (r.question) question = r.question;
    }
    if (question) ask(*question);
}

void NetworkGame::lost(QTcpSocket* socket)
{
    if (m_closing) return;
    if (socket != m_accepted && socket != m_client) return;
    dropPeer();
    apply(m_session.connectionLost());
}

} // namespace zemra
