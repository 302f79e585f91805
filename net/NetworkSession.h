// The network game without window or socket: the connection values, what a
// received message does to them and to the game, and the local commands of
// the network menu. Every call changes the model (connection values, board,
// game information) itself and returns a Reaction: what the window still has
// to show, play, send or ask. The window never repeats a change made here.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "board/WeiQiGame.h"
#include "net/Messages.h"
#include "net/NetworkTexts.h"
#include "records/GameInfo.h"

namespace zemra::net {

enum class Role : std::uint8_t { None, Server, Client };

// "server", "client" or empty: the word other parts compare.
QString roleWord(Role role);

// The connection values, all owned here.
struct ConnectionValues {
    Role NetworkRole = Role::None;
    // A peer with another nickname introduced itself and is still there.
    bool PeerConnected = false;
    // The local player's colour while a network game runs; empty otherwise.
    std::optional<Colour> NetworkColor;
    QString LocalNickName;
    QString LocalRank; // "9段", "18级"
    QString PeerNickName;
    QString PeerRank;
    QString PeerAddress;
    QString LocalAddress;
};

// What the user chose in the proposal dialog (or what it shows, locked, for
// a received proposal).
struct ProposalChoice {
    bool takeBlack = true; // "执黑棋"
    int handicapIndex = 0; // index in texts::handicapEntries()
    QString sizeText = QStringLiteral("19");

    friend bool operator==(const ProposalChoice&, const ProposalChoice&) = default;
};

// A question to put to the user before the reaction goes on; the answer goes
// to NetworkSession::answer with the question's id.
struct Question {
    enum class Kind : std::uint8_t {
        Draw,     // the two-button box: caption, text, agree and refuse buttons
        Undo,     // the same
        Proposal, // TFormNetworkNewGame showing `shown`, locked, with the hint
    };
    Kind kind = Kind::Draw;
    QString caption;
    QString text;         // "\r" is a line break
    QString agreeButton;  // "同意"
    QString refuseButton; // "拒绝"
    ProposalChoice shown; // Proposal only
    // Tells this question from a later one: an answer given after the
    // question was closed (the peer left, the game ended) is ignored.
    int id = 0;
};

// What the window has to do after a call, in this order: log lines, chat
// line, information box, sound, send, the refresh flags; then the question.
struct Reaction {
    QStringList systemLines; // SendOutMessage("System", line) for each
    QString remoteChat;      // SendOutMessage("Remote", remoteChat) unless empty
    QString information;     // one-button information box unless empty
    QString sound;           // PlayResourceSound(sound) when InfoSoundOn, unless empty
    QByteArray reply;        // the bytes to send to the peer by role unless empty
    std::optional<Question> question;
    int undone = 0;                 // Local_Undo calls made here
    bool sideToMoveChanged = false; // recolour the name labels from SideToMove
    bool resultChanged = false;     // row 11 := "  " + GameResult
    bool gameStarted = false;       // a new game was set up: show the whole GameInfo and HandicapCount
    bool closeConnection = false;   // the connection to the peer is closed
};

class NetworkSession {
public:
    // The first IPv4 address of the own host name, asked when a NAME goes out.
    using AddressLookup = std::function<QString()>;

    // game and info belong to the window and outlive the session.
    NetworkSession(WeiQiGame& game, GameInfo& info, AddressLookup ownAddress);

    const ConnectionValues& values() const { return m_values; }

    // --- the mode -----------------------------------------------------------
    // Entering the network mode: default nickname and rank, the game
    // information of a friendly game on the LAN that has not started, an
    // empty board, no game.
    Reaction enterMode();
    // Leaving it (the window closes the sockets): a running game ends.
    Reaction leaveMode();

    // --- the connection ---------------------------------------------------------
    // The host's listening socket stands: nickname, rank entry and own
    // address from the settings dialog.
    Reaction hostingStarted(const QString& nickName, const QString& rankEntry, const QString& ownAddress);
    // The challenger's connection is being opened to peerAddress.
    void challengeStarted(const QString& nickName, const QString& rankEntry, const QString& peerAddress);
    // The challenger's connection is not open after the wait.
    Reaction challengeFailed();
    // The challenger's connection stands: it introduces itself.
    Reaction challengerConnected();
    // Disconnect or socket error. Only a connected peer is reported.
    Reaction connectionLost();
    // The peer sent more than any message can be; the window closes the
    // connection after this.
    Reaction peerFlooded();
    // The Yes/No question before hosting or challenging anew; nothing when
    // no peer is connected and no question is needed.
    std::optional<QString> restartQuestion(texts::Restart wanted) const;
    // Yes to that question: the connection is given up (the window closes
    // the client connection or stops listening) and the role cleared.
    Reaction dropConnection();

    // --- received messages ---------------------------------------------------------
    // An answer is acted on only while our matching request is open, a move,
    // pass or resignation only in a game. One request of the peer is put to
    // the user at a time: the same request again while it waits is dropped,
    // another kind waits for its turn (asked by the reaction that closes the
    // question before it: the answer, or the peer's message ending the game).
    Reaction receive(const Message& message);
    // The user's answer to the question with this id; nothing when that
    // question is no longer open.
    Reaction answer(int questionId, bool agreed);
    // False once the question was answered or closed (the peer left, the
    // game it was about ended): it need not be put to the user any more.
    bool questionOpen(int questionId) const { return m_open && m_open->id == questionId; }

    // --- local commands -----------------------------------------------------------------
    // A left click on (i, j): plays only in a game and on the local turn.
    Reaction playLocal(int i, int j);
    // Why no proposal can be made now; empty when the dialog may open.
    QString proposalRefusal() const;
    // Each request is made once and then waits for its answer.
    Reaction propose(const ProposalChoice& choice);
    Reaction requestUndo();
    Reaction pass();
    Reaction offerDraw();
    Reaction resign();

    // The values the proposal dialog shows for a received proposal.
    ProposalChoice shownProposal(const GameTerms& terms) const;
    // Sets up the agreed game on both sides' terms (colour by PB name).
    void startAgreedGame(const GameTerms& terms);

private:
    void endGame(const QString& result, Reaction& r);
    // Requests about the running game (undo, draw) from either side.
    void closeGameQuestions();
    // Every request from either side: the peer left, or a game starts.
    void closeAllQuestions();
    Reaction receiveName(const Message& m);
    Reaction receivePlay(const Message& m);
    Reaction receiveQuit(const Message& m);
    Reaction receiveMessage(const Message& m);
    Reaction receiveRequest(const Message& m);
    Reaction receiveAnswer(const Message& m);
    // Asks the request that waited longest, once no question is open.
    void askHeld(Reaction& r);
    void undo(int times, Reaction& r);
    Reaction refusedOutsideGame() const;

    WeiQiGame& m_game;
    GameInfo& m_info;
    AddressLookup m_ownAddress;
    ConnectionValues m_values;
    // The peer's request put to the user, awaiting the answer.
    std::optional<Question> m_open;
    GameTerms m_openTerms;
    int m_lastQuestionId = 0;
    // Requests of another kind that came meanwhile, asked next in order;
    // one of each kind at most.
    std::vector<Message> m_held;
    // Our requests that the peer has not answered yet.
    bool m_undoAsked = false;
    bool m_drawOffered = false;
    std::optional<GameTerms> m_proposed;
};

} // namespace zemra::net
