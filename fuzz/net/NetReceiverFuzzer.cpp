// The receiving side of a network game under libFuzzer: the peer's bytes in
// reads of any size go through the reader, the parser and the session,
// interleaved with the local player's commands. Aborts when the board loses
// its invariants, a parsed message does not read back as itself, or what
// we send is not something we understand.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
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
                                                     QString::number(handicap), QString::number(size), handicap, size})));
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
