#include "net/Wire.h"

#include "board/MoveNode.h"
#include "text/Gbk.h"

namespace zemra::net {

namespace wire {

namespace {

struct FormRow {
    Command command;
    std::string_view form;
};

// The messages as the other copy sends and expects them, spelling included
// ("BaordSize").
constexpr FormRow Forms[] = {
    {Command::Name, "CMMD NAME(\1)IP[\2]RANK{\3}"},
    {Command::Play, "CMMD PLAY \4"},
    {Command::Pass, "CMMD PASS"},
    {Command::GameProposal, "CMMD GAME OK? PB[\1]Handicap(\2)BaordSize{\3}"},
    {Command::GameAccepted, "CMMD GAME OK! PB[\1]Handicap(\2)BaordSize{\3}"},
    {Command::GameRefused, "CMMD GAME NO!"},
    {Command::Undo, "CMMD UNDO"},
    {Command::UndoAgreed, "CMMD UNOK"},
    {Command::UndoRefused, "CMMD UNNO"},
    {Command::DrawOffer, "CMMD HeQi"},
    {Command::DrawAgreed, "CMMD HeOK"},
    {Command::DrawRefused, "CMMD HeNO"},
    {Command::Resign, "CMMD SIGN"},
    {Command::Chat, "CHAT \1(\2);\5"},
    {Command::Quit, "QUIT \5"},
};

constexpr bool isPlaceholder(char c)
{
    return c >= TextField1 && c <= RestField;
}

} // namespace

std::string_view form(Command command)
{
    for (const FormRow& row : Forms)
        if (row.command == command) return row.form;
    return {};
}

QString format(Command command, std::initializer_list<QString> fields)
{
    QString out;
    auto field = fields.begin();
    for (const char c : form(command)) {
        if (!isPlaceholder(c)) {
            out += QLatin1Char(c);
        } else if (field != fields.end()) {
            out += *field++;
        }
    }
    return out;
}

} // namespace wire

QByteArray toWire(const QString& message)
{
    return gbk::encode(message);
}

QString fromWire(QByteArrayView bytes)
{
    return gbk::decode(bytes);
}

qsizetype gbkUnitLength(QByteArrayView bytes, qsizetype pos)
{
    const auto b = static_cast<unsigned char>(bytes[pos]);
    return b >= 0x81 && b <= 0xfe ? 2 : 1;
}

namespace {

constexpr std::string_view Starts[] = {wire::CommandStart, wire::ChatStart, wire::QuitStart};

bool startsWith(QByteArrayView bytes, qsizetype pos, std::string_view word)
{
    return bytes.size() - pos >= static_cast<qsizetype>(word.size()) &&
           QByteArrayView(bytes.data() + pos, static_cast<qsizetype>(word.size())) == QByteArrayView(word.data(), word.size());
}

bool messageStartAt(QByteArrayView bytes, qsizetype pos)
{
    const char c = bytes[pos];
    if (c != 'C' && c != 'Q') return false;
    for (const std::string_view start : Starts)
        if (startsWith(bytes, pos, start)) return true;
    return false;
}

// Whether the bytes from pos to the end are a proper beginning of word.
bool beginsWord(QByteArrayView bytes, qsizetype pos, std::string_view word)
{
    const qsizetype rest = bytes.size() - pos;
    return rest < static_cast<qsizetype>(word.size()) &&
           QByteArrayView(bytes.data() + pos, rest) == QByteArrayView(word.data(), rest);
}

MatchResult matchForm(Command command, std::string_view form, QByteArrayView bytes, qsizetype pos)
{
    MatchResult r;
    r.command = command;
    const qsizetype n = bytes.size();
    qsizetype q = pos;
    std::size_t fieldIndex = 0;
    for (std::size_t k = 0; k < form.size(); ++k) {
        const char c = form[k];
        if (c == wire::RestField) {
            r.match = Match::Open;
            r.length = q - pos;
            return r;
        }
        if (c == wire::NodeField) {
            constexpr qsizetype NodeBytes = 6;
            if (n - q < NodeBytes) {
                r.match = Match::Incomplete;
                return r;
            }
            const std::optional<MoveNode> node = parseMoveNode(std::string_view(bytes.data() + q, NodeBytes));
            if (!node || node->pass) {
                r.match = Match::Malformed;
                return r;
            }
            r.fields[fieldIndex++] = {q - pos, NodeBytes};
            q += NodeBytes;
            continue;
        }
        if (c >= wire::TextField1 && c <= wire::TextField3) {
            // Every text field is followed by the character that closes it.
            const char closer = form[k + 1];
            const qsizetype begin = q;
            while (true) {
                if (q >= n) {
                    r.match = Match::Incomplete;
                    return r;
                }
                if (bytes[q] == closer) break;
                if (messageStartAt(bytes, q)) {
                    r.match = Match::Malformed;
                    return r;
                }
                const qsizetype unit = gbkUnitLength(bytes, q);
                if (q + unit > n) {
                    r.match = Match::Incomplete;
                    return r;
                }
                q += unit;
                if (q - begin > wire::MaxFieldBytes) {
                    r.match = Match::Malformed;
                    return r;
                }
            }
            r.fields[fieldIndex++] = {begin - pos, q - begin};
            continue;
        }
        if (q >= n) {
            r.match = Match::Incomplete;
            return r;
        }
        if (bytes[q] != c) {
            r.match = Match::Malformed;
            return r;
        }
        ++q;
    }
    r.match = Match::Closed;
    r.length = q - pos;
    return r;
}

} // namespace

MatchResult matchMessage(QByteArrayView bytes, qsizetype pos)
{
    if (pos >= bytes.size()) return {};
    std::string_view start;
    for (const std::string_view s : Starts) {
        if (startsWith(bytes, pos, s))
            start = s;
        else if (beginsWord(bytes, pos, s))
            return {Match::Incomplete};
    }
    if (start.empty()) return {};

    // The forms after one start differ within their command word, so at most
    // one form matches; any that could still match makes the whole incomplete.
    MatchResult best{Match::Malformed};
    for (const auto& row : wire::Forms) {
        if (row.form.substr(0, start.size()) != start) continue;
        const MatchResult r = matchForm(row.command, row.form, bytes, pos);
        if (r.match == Match::Closed || r.match == Match::Open) return r;
        if (r.match == Match::Incomplete) best = r;
    }
    return best;
}

} // namespace zemra::net
