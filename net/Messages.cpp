#include "net/Messages.h"

#include <algorithm>

#include "board/GameSetup.h"
#include "text/Nickname.h"

namespace zemra::net {

QString nameMessage(const QString& nickName, const QString& address, const QString& rank)
{
    return wire::format(Command::Name, {nickName, address, rank});
}

QString playMessage(Colour colour, int i, int j)
{
    return wire::format(Command::Play, {QString::fromStdString(formatMoveNode(colour, i, j))});
}

QString proposalMessage(const QString& blackName, int handicapIndex, const QString& sizeText)
{
    return wire::format(Command::GameProposal, {blackName, QString::number(handicapIndex), sizeText});
}

QString acceptanceMessage(const GameTerms& terms)
{
    return wire::format(Command::GameAccepted, {terms.blackName, terms.handicapText, terms.sizeText});
}

QByteArray acceptanceWire(const GameTerms& terms)
{
    if (terms.received.isEmpty()) return toWire(acceptanceMessage(terms));
    // The two forms differ in one character only ("OK?" and "OK!").
    const std::string_view asked = wire::form(Command::GameProposal);
    const std::string_view accepted = wire::form(Command::GameAccepted);
    const auto at = static_cast<qsizetype>(std::mismatch(asked.begin(), asked.end(), accepted.begin()).first - asked.begin());
    QByteArray bytes = terms.received;
    bytes[at] = accepted[static_cast<std::size_t>(at)];
    return bytes;
}

QString quitMessage(const QString& nickName)
{
    return wire::format(Command::Quit, {nickName});
}

QString plainMessage(Command command)
{
    return wire::format(command);
}

int boardSizeValue(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

namespace {

QString fieldText(QByteArrayView bytes, const FieldSpan& span)
{
    return fromWire(bytes.sliced(span.begin, span.size));
}

// A nickname from the peer: the dialogs' characters rule, and printable,
// since it goes into log lines and the information grid.
bool acceptableNickname(const QString& name)
{
    static const QString forbidden = QStringLiteral("()[];");
    if (name.isEmpty() || !nickname::isPrintable(name)) return false;
    for (const QChar c : name)
        if (forbidden.contains(c)) return false;
    return true;
}

std::optional<GameTerms> gameTerms(QByteArrayView bytes, const MatchResult& m)
{
    GameTerms t;
    t.blackName = fieldText(bytes, m.fields[0]);
    t.handicapText = fieldText(bytes, m.fields[1]);
    t.sizeText = fieldText(bytes, m.fields[2]);
    if (!acceptableNickname(t.blackName)) return std::nullopt;
    if (t.handicapText.size() != 1 || t.handicapText[0] < u'0' || t.handicapText[0] > u'8') return std::nullopt;
    t.handicapIndex = t.handicapText[0].unicode() - u'0';
    t.boardSize = boardSizeValue(t.sizeText);
    if (!GameSetup::fixed(t.boardSize, t.handicapCount()).valid()) return std::nullopt;
    if (!nickname::isPrintable(t.sizeText)) return std::nullopt;
    t.received = bytes.toByteArray();
    return t;
}

// Control characters from the peer would break the log's lines (and could
// forge lines that look like the program's own).
QString withoutControlCharacters(QString text)
{
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control) c = u' ';
    return text;
}

} // namespace

std::optional<Message> parseMessage(QByteArrayView bytes)
{
    const MatchResult m = matchMessage(bytes, 0);
    const bool whole =
        (m.match == Match::Closed && m.length == bytes.size()) || (m.match == Match::Open && m.length < bytes.size());
    if (!whole) return std::nullopt;

    Message msg;
    msg.command = m.command;
    switch (m.command) {
    case Command::Name:
        msg.nickName = fieldText(bytes, m.fields[0]);
        msg.address = fieldText(bytes, m.fields[1]);
        msg.rank = fieldText(bytes, m.fields[2]);
        if (!acceptableNickname(msg.nickName) || !nickname::isPrintable(msg.address) || !nickname::isPrintable(msg.rank))
            return std::nullopt;
        break;
    case Command::Play:
        // The grammar has checked the node already.
        msg.move = *parseMoveNode(std::string_view(bytes.data() + m.fields[0].begin, m.fields[0].size));
        break;
    case Command::GameProposal:
    case Command::GameAccepted: {
        const std::optional<GameTerms> terms = gameTerms(bytes, m);
        if (!terms) return std::nullopt;
        msg.terms = *terms;
        break;
    }
    case Command::Chat:
        msg.nickName = fieldText(bytes, m.fields[0]);
        msg.rank = fieldText(bytes, m.fields[1]);
        if (!acceptableNickname(msg.nickName) || !nickname::isPrintable(msg.rank)) return std::nullopt;
        msg.text = withoutControlCharacters(fromWire(bytes));
        break;
    case Command::Quit:
        msg.nickName = fromWire(bytes.sliced(m.length));
        if (!acceptableNickname(msg.nickName)) return std::nullopt;
        break;
    default: break;
    }
    return msg;
}

std::optional<Message> parseMessageText(const QString& text)
{
    const QByteArray bytes = toWire(text);
    return parseMessage(QByteArrayView(bytes));
}

} // namespace zemra::net
