#include <gtest/gtest.h>

#include "text/Nickname.h"

using namespace zemra;

TEST(Nickname, ReportsTheFirstProblem)
{
    using P = nickname::Problem;
    const struct {
        QString name;
        P problem;
    } rows[] = {
        {QString(), P::Empty},
        {QStringLiteral("山间的清风"), P::None},
        {QStringLiteral("一二三四五六七"), P::None}, // 14 bytes
        {QStringLiteral("一二三四五六七八"), P::ForbiddenOrLong},
        {QStringLiteral("abcdefghijklmn"), P::None},
        {QStringLiteral("abcdefghijklmno"), P::ForbiddenOrLong},
        {QStringLiteral("a;b"), P::ForbiddenOrLong},
        {QStringLiteral("a(b"), P::ForbiddenOrLong},
        {QStringLiteral("a)b"), P::ForbiddenOrLong},
        {QStringLiteral("[ab"), P::ForbiddenOrLong},
        {QStringLiteral("ab]"), P::ForbiddenOrLong},
        {QStringLiteral("a☃b"), P::Unencodable},
        {QStringLiteral("a\tb"), P::Unencodable},
        {QStringLiteral("a€"), P::Unencodable}, // GBK 0x80 does not read back
        // Message starts inside a name break the greeting and every chat.
        {QStringLiteral("QUIT 1"), P::Unencodable},
        {QStringLiteral("我CMMD 你"), P::Unencodable},
        {QStringLiteral("CHAT 1"), P::Unencodable},
        {QStringLiteral("QUIT1"), P::None},
        {QStringLiteral("cmmd 1"), P::None},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name.toStdString());
        EXPECT_EQ(nickname::check(r.name), r.problem);
    }
}
