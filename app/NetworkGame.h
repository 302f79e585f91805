// The network mode: hosting or challenging another copy over TCP, the
// greeting, game proposals, moves and the requests of a running game. The
// decisions live in net::NetworkSession; this class owns the sockets, asks
// the user through its dialogs and the host, and shows what the session
// decided. The connection values are data; the menus only show them.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

#include "app/ModeController.h"
#include "app/NetworkDialogs.h"
#include "net/MessageReader.h"
#include "net/NetworkSession.h"

namespace zemra {

class NetworkGame final : public QObject, public ModeController {
    Q_OBJECT
public:
    static constexpr quint16 Port = 5058;
    // A challenger that has not introduced itself by then loses its place.
    static constexpr int GreetingTimeoutMs = 10'000;

    explicit NetworkGame(ModeHost& host);
    ~NetworkGame() override;

    GameModeId mode() const override { return GameModeId::Network; }
    // The default players and information of a friendly game not yet begun.
    void enterMode() override;
    // Connections are dropped without a word to the peer; a running game ends.
    void leaveMode() override;
    void boardClick(int i, int j, Qt::MouseButton button) override;
    void closing() override;
    std::span<const Row> commands() const override;
    void chatLineSent(const QString& text) override;
    // The session's nickname and rank: the one record of who the user is.
    QString chatName() const override;

    void Menu_Network_ServerClick();
    void Menu_Network_ClientClick();
    void Menu_Network_NewGameClick();
    void Menu_Network_UndoClick();
    void Menu_Network_PassClick();
    void Menu_Network_HeQiClick();
    void Menu_Network_ResignClick();

    // The host's send to its (first) challenger, the challenger's send to
    // the host; both drop the bytes when there is no open connection.
    void SendMessageToClient(const QByteArray& bytes);
    void SendMessageToServer(const QByteArray& bytes);

    // --- connection values, as the menus and tests see them -------------------
    const net::ConnectionValues& values() const { return m_session.values(); }
    QString NetworkRole() const { return net::roleWord(values().NetworkRole); }
    bool PeerConnected() const { return values().PeerConnected; }
    bool gameInProgress() const { return values().NetworkColor.has_value(); }
    // "BlackChess", "WhiteChess" or empty.
    QString NetworkColor() const;
    bool listening() const { return m_server.isListening(); }
    // The open connection to the peer, if any.
    QTcpSocket* connection() const { return m_accepted ? m_accepted : m_client; }

    // The port to listen on and to challenge (Port unless changed; 0 lets
    // the host take any free port, which listeningPort() then tells).
    void setPort(quint16 port) { m_port = port; }
    quint16 listeningPort() const { return m_server.serverPort(); }
    void setGreetingTimeout(int ms) { m_greeting.setInterval(ms); }

    // The dialogs; tests answer them themselves.
    std::function<std::optional<NetworkStartChoice>(const NetworkStartSetup&)> askStart;
    std::function<std::optional<net::ProposalChoice>()> askProposal;
    std::function<bool(const net::Question&)> answerProposal;

private:
    // Shows the reaction, then asks its question and the ones that follow.
    void apply(const net::Reaction& reaction);
    void showReaction(const net::Reaction& reaction);
    void ask(net::Question question);
    void send(const QByteArray& bytes);
    bool confirmRestart(net::texts::Restart wanted);
    // Ends the connection to the peer (either role) and what was read of it.
    void dropPeer();
    void closeSockets();
    void dropSocket(QTcpSocket*& socket);

    void acceptConnections();
    void greetingOverdue();
    void watch(QTcpSocket* socket);
    // Runs a socket notification; sockets dropped meanwhile are deleted
    // once the outermost one has returned.
    void notified(const std::function<void()>& handler);
    void readFrom(QTcpSocket* socket);
    void processPending();
    void lost(QTcpSocket* socket);

    net::NetworkSession m_session;
    QTcpServer m_server;
    quint16 m_port = Port;
    QTcpSocket* m_accepted = nullptr; // the host's challenger
    QTcpSocket* m_client = nullptr;   // the challenger's connection
    QTimer m_greeting;                // the host's challenger must say its NAME
    net::MessageReader m_reader;
    // A question asked from inside a read runs the event loop, where the
    // connection may end; Qt must not find that socket deleted when its
    // notification returns.
    int m_notifying = 0;
    std::vector<QTcpSocket*> m_dropped;
    bool m_closing = false;
};

} // namespace zemra
