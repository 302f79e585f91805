// Inputs that once broke the record fuzzers, run through the same checks.
#include <gtest/gtest.h>

#include "fuzz/FuzzRecord.h"
#include "records/GibReader.h"

using namespace zemra;

TEST(FuzzFindings, RecordsThatOnceBrokeTheChecks)
{
    const struct {
        const char* name;
        bool gib;
        QByteArray bytes;
    } rows[] = {
        // Setup stones leaving a group without liberties broke the invariants.
        {"setup without liberties", false, "(;SZ[9]AB[ba][ab]AW[aa];B[cc])"},
    };
    for (const auto& r : rows) {
        const ReadOutcome read = r.gib ? readGibBytes(r.bytes, QStringLiteral("/棋谱/a.gib")) : readSgfBytes(r.bytes);
        const char* broken = fuzz::recordBreaks(read);
        EXPECT_EQ(broken, nullptr) << r.name << ": " << broken;
    }
}
