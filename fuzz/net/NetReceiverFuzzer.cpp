// The receiving side of a network game under libFuzzer: the peer's bytes in
// reads of any size go through the reader, the parser and the session,
// interleaved with the local player's commands. Aborts when the board loses
// its invariants, a parsed message does not read back as itself, or what
// we send is not something we understand.
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
    check(game.BoardSize >= 5 && game.BoardSize <= 19, "board size");
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
            const int size = in.ConsumeIntegralInRange(5, 19);
            const int handicap = size == 19 ? in.ConsumeIntegralInRange(0, 8) : 0;
            session.receive(
                *parseMessageText(acceptanceMessage({localBlack ? QStringLiteral("山间的清风") : QStringLiteral("月下の旅人"),
                                                     QString::number(handicap),
                                                     QString::number(size),
                                                     handicap,
                                                     size,
                                                     {}})));
        }
    }

    MessageReader reader;
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange(0, 7)) {
        case 0: {
            const int i = in.ConsumeIntegralInRange(0, 20);
            checkReaction(game, session.playLocal(i, in.ConsumeIntegralInRange(0, 20)));
            continue;
        }
        case 1: checkReaction(game, session.pass()); continue;
        case 2: checkReaction(game, session.requestUndo()); continue;
        case 3: checkReaction(game, session.connectionLost()); continue;
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
            const Reaction r = session.receive(*m);
            checkReaction(game, r);
            if (r.question) checkReaction(game, session.answer(in.ConsumeBool()));
        }
        check(reader.pendingBytes() <= MessageReader::MaxPending, "pending bytes over the cap");
    }
    return 0;
}
