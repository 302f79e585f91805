// The receiving side of a network game under libFuzzer: the peer's bytes in
// reads of any size go through the reader, the parser and the session,
// interleaved with the local player's commands and answers given now, later
// or twice. Aborts when the board loses its invariants, a parsed message
// does not read back as itself, what we send is not something we
// understand, a message out of place (an answer to nothing we asked, a move
// outside a game or in our colour) changes the game, or two of the peer's
// questions are open at once.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "net/ChatMessage.h"
#include "net/MessageReader.h"
#include "net/NetworkSession.h"

using namespace zemra;
using namespace zemra::net;

namespace {

void check(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// A message that parsed must read as what its fields build.
void checkRoundTrip(const QByteArray& bytes, const Message& m)
{
    QString built;
    switch (m.command) {
    case Command::Name: built = nameMessage(m.nickName, m.address, m.rank); break;
    case Command::Play: built = playMessage(m.move.colour, m.move.i, m.move.j); break;
    case Command::GameProposal: built = proposalMessage(m.terms.blackName, m.terms.handicapIndex, m.terms.sizeText); break;
    case Command::GameAccepted: built = acceptanceMessage(m.terms); break;
    case Command::Quit: built = quitMessage(m.nickName); break;
    case Command::Chat: return;
    default: built = plainMessage(m.command); break;
    }
    check(built == fromWire(bytes), "a parsed message does not build back to its text");
    if (m.command == Command::GameProposal)
        check(parseMessage(acceptanceWire(m.terms)).has_value(), "the acceptance of a proposal is not understood");
}

void checkReaction(const WeiQiGame& game, const Reaction& r)
{
    check(game.checkInvariants().empty(), "board invariants");
    check(game.BoardSize() >= 5 && game.BoardSize() <= 19, "board size");
    if (!r.reply.isEmpty()) check(parseMessage(r.reply).has_value(), "we send what we would ignore");
}

// Text made of characters whose second GBK byte is "C", "]" or "}", the
// letters of "CMMD", ";" and brackets: what could fool the reader.
QString trickyText(FuzzedDataProvider& in, int maxLength)
{
    static const QString alphabet = QStringLiteral("丆乚亇山的CMD PASa;()[]{}");
    QString text;
    const int n = in.ConsumeIntegralInRange(1, maxLength);
    for (int k = 0; k < n; ++k)
        text += alphabet[in.ConsumeIntegralInRange<int>(0, static_cast<int>(alphabet.size()) - 1)];
    return text;
}

QString trickyName(FuzzedDataProvider& in)
{
    QString name = trickyText(in, 6);
    for (QChar& c : name)
        if (QStringLiteral("()[]{}; ").contains(c)) c = u'a';
    return name;
}

// Whole messages, sent in reads cut anywhere: every closed message arrives
// once, in order and unchanged, and no chat line ends inside a character.
// (A chat text that holds a whole message is cut there by design, so the
// chats here hold none.)
void framingOracle(FuzzedDataProvider& in)
{
    QList<QByteArray> closed;
    QByteArray stream;
    const int count = in.ConsumeIntegralInRange(1, 12);
    for (int k = 0; k < count; ++k) {
        QString message;
        switch (in.ConsumeIntegralInRange(0, 4)) {
        case 0: message = nameMessage(trickyName(in), QStringLiteral("10.0.0.1"), QStringLiteral("3段")); break;
        case 1:
            message = playMessage(in.ConsumeBool() ? Colour::Black : Colour::White, in.ConsumeIntegralInRange(1, 19),
                                  in.ConsumeIntegralInRange(1, 19));
            break;
        case 2: message = proposalMessage(trickyName(in), in.ConsumeIntegralInRange(0, 8), QStringLiteral("19")); break;
        case 3: {
            constexpr Command plain[] = {Command::Pass,       Command::GameRefused, Command::Undo,
                                         Command::UndoAgreed, Command::UndoRefused, Command::DrawOffer,
                                         Command::DrawAgreed, Command::DrawRefused, Command::Resign};
            message = plainMessage(plain[in.ConsumeIntegralInRange(0, 8)]);
            break;
        }
        default: {
            QString text = trickyText(in, 40);
            text.replace(QStringLiteral("CMMD "), QStringLiteral("CMD "));
            stream += toWire(chatMessage(trickyName(in), QStringLiteral("9段"), text));
            continue;
        }
        }
        closed << toWire(message);
        stream += closed.last();
    }
    MessageReader reader;
    QList<QByteArray> got;
    for (qsizetype at = 0; at < stream.size();) {
        const qsizetype n = in.ConsumeIntegralInRange<qsizetype>(1, stream.size() - at);
        check(reader.append(stream.mid(at, n)), "overflow");
        at += n;
        while (const std::optional<QByteArray> m = reader.next()) {
            if (m->startsWith("CHAT "))
                check(!fromWire(*m).contains(QChar::ReplacementCharacter), "a chat cut inside a character");
            else
                got << *m;
        }
    }
    check(got == closed, "a closed message was lost, split or changed");
}

// Everything a message from the peer could change on our side.
std::string snapshot(const WeiQiGame& game, const GameInfo& info, const NetworkSession& session)
{
    std::string out = std::to_string(game.BoardSize()) + ' ' + std::to_string(game.HandicapCount()) + ' ' +
                      std::to_string(game.MoveCount()) + ' ' + std::string(game.SideToMoveWord()) + ' ';
    for (int j = 1; j <= game.BoardSize(); ++j)
        for (int i = 1; i <= game.BoardSize(); ++i)
            out += static_cast<char>('0' + static_cast<int>(game.pointCode(i, j)));
    const std::optional<Colour> colour = session.values().NetworkColor;
    out += colour ? (*colour == Colour::Black ? " B " : " W ") : " - ";
    return out + info.GameResult.toStdString();
}

// Our own requests that the peer may answer, as far as we know from what we
// sent and what came back (never less than the session keeps open).
struct Asked {
    bool undo = false;
    bool draw = false;
    bool proposal = false;
};

// Whether the message may change the game at all, given what we asked.
bool mayChangeTheGame(const Message& m, const Asked& asked, const NetworkSession& session)
{
    const std::optional<Colour> own = session.values().NetworkColor;
    switch (m.command) {
    case Command::UndoAgreed:
    case Command::UndoRefused: return asked.undo;
    case Command::DrawAgreed:
    case Command::DrawRefused: return asked.draw;
    case Command::GameAccepted:
    case Command::GameRefused: return asked.proposal;
    case Command::Play: return own && m.move.colour != *own;
    case Command::Pass:
    case Command::Resign: return own.has_value();
    default: return true;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    if (size > 0 && data[0] == 'F') {
        framingOracle(in);
        return 0;
    }
    WeiQiGame game;
    GameInfo info;
    NetworkSession session(game, info, [] { return QStringLiteral("127.0.0.1"); });
    session.enterMode();
    Asked asked;

    // Start from a state chosen by the input: role, connected, in a game.
    const bool host = in.ConsumeBool();
    if (host)
        session.hostingStarted(QStringLiteral("山间的清风"), QStringLiteral("9 段"), QStringLiteral("127.0.0.1"));
    else
        session.challengeStarted(QStringLiteral("山间的清风"), QStringLiteral("9 段"), QStringLiteral("127.0.0.1"));
    if (in.ConsumeBool()) {
        session.receive(*parseMessageText(QStringLiteral("CMMD NAME(月下の旅人)IP[10.0.0.2]RANK{3段}")));
        if (in.ConsumeBool()) {
            const bool localBlack = in.ConsumeBool();
            const int boardSize = in.ConsumeIntegralInRange(5, 19);
            const int handicap = boardSize == 19 ? in.ConsumeIntegralInRange(0, 8) : 0;
            const QString sizeText = QString::number(boardSize);
            const Reaction proposed = session.propose({localBlack, handicap, sizeText});
            const std::optional<Message> sent = parseMessage(proposed.reply);
            check(sent.has_value(), "our proposal is not understood");
            check(session.receive(*parseMessage(acceptanceWire(sent->terms))).gameStarted, "an accepted proposal starts no game");
        }
    }

    MessageReader reader;
    std::optional<Question> waiting; // the question the user has not answered yet
    QList<int> answered;             // ids answered already
    auto answer = [&](int id, bool agreed) {
        const std::string before = snapshot(game, info, session);
        const Reaction r = session.answer(id, agreed);
        checkReaction(game, r);
        if (answered.contains(id)) {
            check(r.reply.isEmpty() && !r.question, "a question was answered twice");
            check(snapshot(game, info, session) == before, "a second answer changed the game");
        }
        answered << id;
        if (r.question) waiting = r.question;
    };
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange(0, 11)) {
        case 0: {
            const int i = in.ConsumeIntegralInRange(0, 20);
            checkReaction(game, session.playLocal(i, in.ConsumeIntegralInRange(0, 20)));
            continue;
        }
        case 1: checkReaction(game, session.pass()); continue;
        case 2: {
            const Reaction r = session.requestUndo();
            checkReaction(game, r);
            asked.undo = asked.undo || !r.reply.isEmpty();
            continue;
        }
        case 3: checkReaction(game, session.connectionLost()); continue;
        case 4: {
            const Reaction r = session.offerDraw();
            checkReaction(game, r);
            asked.draw = asked.draw || !r.reply.isEmpty();
            continue;
        }
        case 5: {
            const int boardSize = in.ConsumeIntegralInRange(5, 19);
            const Reaction r = session.propose(
                {in.ConsumeBool(), boardSize == 19 ? in.ConsumeIntegralInRange(0, 8) : 0, QString::number(boardSize)});
            checkReaction(game, r);
            asked.proposal = asked.proposal || !r.reply.isEmpty();
            continue;
        }
        case 6:
            // The user answers now, or answers a question closed long ago.
            if (waiting) {
                const int id = in.ConsumeBool() ? waiting->id : in.ConsumeIntegralInRange(0, waiting->id);
                waiting.reset();
                answer(id, in.ConsumeBool());
            }
            continue;
        default: break;
        }
        const std::string chunk = in.ConsumeBytesAsString(in.ConsumeIntegralInRange<std::size_t>(1, 300));
        if (!reader.append(QByteArrayView(chunk.data(), static_cast<qsizetype>(chunk.size())))) {
            checkReaction(game, session.peerFlooded());
            reader.reset();
            continue;
        }
        while (const std::optional<QByteArray> bytes = reader.next()) {
            check(!bytes->isEmpty(), "an empty message");
            const std::optional<Message> m = parseMessage(*bytes);
            if (!m) continue;
            checkRoundTrip(*bytes, *m);
            const std::string before = snapshot(game, info, session);
            const bool mayChange = mayChangeTheGame(*m, asked, session);
            const Reaction r = session.receive(*m);
            checkReaction(game, r);
            if (!mayChange) check(snapshot(game, info, session) == before, "a message out of place changed the game");
            if (r.question) {
                // A new question only once the last one is closed: answering that one does nothing.
                if (waiting) check(session.answer(waiting->id, false).reply.isEmpty(), "two questions open at once");
                waiting = r.question;
            }
            switch (m->command) {
            case Command::UndoAgreed:
            case Command::UndoRefused: asked.undo = false; break;
            case Command::DrawAgreed:
            case Command::DrawRefused: asked.draw = false; break;
            // Other terms than ours leave our proposal open.
            case Command::GameAccepted: asked.proposal = asked.proposal && !r.gameStarted; break;
            case Command::GameRefused: asked.proposal = false; break;
            default: break;
            }
        }
        check(reader.pendingBytes() <= MessageReader::MaxPending, "pending bytes over the cap");
    }
    return 0;
}
