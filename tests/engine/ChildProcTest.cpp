// TChildProc against real child programs.
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "EngineTestUtil.h"
#include "engine/GTPUtils.h"

using namespace zemra;
using namespace zemra::test;

namespace {

// Reads the way the engine game waits: again and again while nothing came.
std::string readSomething(TChildProc& proc, int timeoutMs)
{
    std::string text;
    const Stopwatch clock;
    do {
        proc.ReadStdout(timeoutMs, text);
    } while (text.empty() && !proc.outputEnded() && clock.ms() < 10000);
    return text;
}

// True when pid is no child of ours any more, not even a zombie.
bool reaped(pid_t pid)
{
    return ::waitpid(pid, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

int openFileCount()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

} // namespace

TEST(ChildProc, CommandLineSplitsAtBlanksWithoutAShell)
{
    EXPECT_EQ(splitCommandLine("gnugo --mode gtp --level 7"),
              (std::vector<std::string>{"gnugo", "--mode", "gtp", "--level", "7"}));
    EXPECT_EQ(splitCommandLine("  a\t b  'c d' $HOME "), (std::vector<std::string>{"a", "b", "'c", "d'", "$HOME"}));
    EXPECT_TRUE(splitCommandLine(" \t ").empty());
}

TEST(ChildProc, SilentChildGivesEmptyTextAfterOneQuietCycle)
{
    TChildProc proc(childHelper({"silent"}));
    std::string text = "old";
    int emptyPolls = 0;
    TChildProc::ReadHooks hooks;
    hooks.idle = [&emptyPolls] { return ++emptyPolls > 0; };
    const Stopwatch clock;
    proc.ReadStdout(200, text, hooks);
    EXPECT_EQ(text, "");
    EXPECT_EQ(emptyPolls, 10);
    // Ten sleeps of a tenth of the time-out; only a shorter sleep can fail this.
    EXPECT_GE(clock.ms(), 200);
    EXPECT_FALSE(proc.outputEnded());
}

TEST(ChildProc, OutputComesBackByteForByteAndBurstsCloserThanTheQuietPeriodAsOne)
{
    {
        TChildProc proc(childHelper({"print", "= \\r\\n\\r\\n"}));
        EXPECT_EQ(readSomething(proc, 50), "= \r\n\r\n");
    }
    {
        // 30 ms apart, well inside a quiet period of 5 s: one text.
        TChildProc proc(childHelper({"bursts", "30", "= Q16", "\\n\\n"}));
        EXPECT_EQ(readSomething(proc, 5000), "= Q16\n\n");
    }
    {
        // The second burst waits for our input, so a quiet period lies between.
        TChildProc proc(childHelper({"turns", "first", "second"}));
        EXPECT_EQ(readSomething(proc, 100), "first");
        ASSERT_TRUE(proc.WriteStdin("go"));
        EXPECT_EQ(readSomething(proc, 100), "second");
    }
}

TEST(ChildProc, WriteStdinSendsTheTextAndCrLfExactly)
{
    TempDir dir;
    const std::string file = dir.file("input");
    {
        TChildProc proc(childHelper({"echo", file}));
        EXPECT_TRUE(proc.WriteStdin("genmove white"));
        EXPECT_TRUE(proc.WriteStdin(""));
    }
    // The destructor closed the input, so the child wrote everything and ended.
    EXPECT_EQ(readFile(file), "genmove white\r\n\r\n");
}

TEST(ChildProc, ProgramThatCannotStartRaisesTheChildProcessErrorAndLeaksNothing)
{
    const int before = openFileCount();
    for (const std::string& line : {std::string("/nonexistent/gnugo --mode gtp"), std::string("zemra-no-such-program-42"),
                                    std::string("/etc/hostname"), std::string("  ")}) {
        try {
            TChildProc proc(line);
            ADD_FAILURE() << line << " started";
        } catch (const ECreateChildProcessErr& e) {
            EXPECT_STREQ(e.what(), "CreateChildProcessMsg: \r\rCreateChildProcess(ExeName, CommadLine, FChildStdoutWr)");
        }
    }
    EXPECT_EQ(openFileCount(), before);
}

TEST(ChildProc, PipesThatCannotBeCreatedRaiseThePipeErrorAndLeakNothing)
{
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &old), 0);
    int highest = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        highest = std::max(highest, std::stoi(entry.path().filename().string()));
    rlimit low = old;
    low.rlim_cur = static_cast<rlim_t>(highest + 8);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<int> filler;
    for (int fd; (fd = ::open("/dev/null", O_RDONLY)) >= 0;)
        filler.push_back(fd);

    const auto freeSlots = [] {
        std::vector<int> probe;
        for (int fd; (fd = ::open("/dev/null", O_RDONLY)) >= 0;)
            probe.push_back(fd);
        for (int fd : probe)
            ::close(fd);
        return probe.size();
    };
    // One free slot: the first pipe fails; three: the second one does. The
    // exceptions are looked at only once descriptors are free again (the
    // sanitizers need some to inspect an object).
    std::vector<std::exception_ptr> raised;
    for (const int slots : {1, 3}) {
        while (freeSlots() < static_cast<std::size_t>(slots)) {
            ::close(filler.back());
            filler.pop_back();
        }
        try {
            TChildProc proc(childHelper({"silent"}));
        } catch (...) {
            raised.push_back(std::current_exception());
        }
        EXPECT_EQ(freeSlots(), static_cast<std::size_t>(slots)) << "the first pipe was not released";
    }
    for (int fd : filler)
        ::close(fd);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &old), 0);
    ASSERT_EQ(raised.size(), 2u);
    for (const auto& e : raised)
        EXPECT_THROW(std::rethrow_exception(e), ECreatePipeErr);
}

TEST(ChildProc, NoZombieAndTheChildSeesItsInputEnd)
{
    TempDir dir;
    pid_t pid;
    const int filesBefore = openFileCount();
    {
        TChildProc proc(childHelper({"silent", dir.file("marker")}));
        pid = proc.processId();
        EXPECT_EQ(openFileCount(), filesBefore + 2) << "only our own two pipe ends stay open here";
    }
    EXPECT_EQ(openFileCount(), filesBefore);
    EXPECT_TRUE(reaped(pid));
    EXPECT_EQ(readFile(dir.file("marker")), "end of input");

    // A child that ignores the end of its input is not waited for until it
    // ends by itself a minute later.
    const Stopwatch clock;
    {
        TChildProc proc(childHelper({"ignore-eof"}));
        pid = proc.processId();
    }
    EXPECT_TRUE(reaped(pid));
    EXPECT_LT(clock.ms(), 30000);
}

TEST(ChildProc, ChildExitIsNoticedAtOnceWithNothingLost)
{
    {
        TChildProc proc(childHelper({"exit-after", "100"}));
        std::string text;
        const Stopwatch clock;
        proc.ReadStdout(20000, text);
        EXPECT_EQ(text, "");
        EXPECT_LT(clock.ms(), 10000);
        EXPECT_TRUE(proc.outputEnded());
    }
    {
        TChildProc proc(childHelper({"print-exit", "= resign\\n\\n"}));
        EXPECT_EQ(readSomething(proc, 20000), "= resign\n\n");
        std::string text = "old";
        proc.ReadStdout(20000, text);
        EXPECT_EQ(text, "");
        EXPECT_TRUE(proc.outputEnded());
        // The end of output may show a moment before the exit has closed the
        // child's input; once it is reaped, that has happened.
        const Stopwatch clock;
        while (!proc.childExited() && clock.ms() < 5000) {
        }
        // Writing to the gone child fails instead of killing us with SIGPIPE.
        EXPECT_FALSE(proc.WriteStdin("genmove black"));
    }
}

TEST(ChildProc, HooksEndAReadEarly)
{
    TChildProc proc(childHelper({"print", "= D4\\n\\n"}));
    TChildProc::ReadHooks hooks;
    std::string pieces;
    hooks.received = [&pieces](std::string_view piece) {
        pieces += piece;
        return pieces.find("\n\n") != std::string::npos;
    };
    std::string text;
    const Stopwatch clock;
    do {
        proc.ReadStdout(20000, text, hooks);
    } while (text.empty());
    EXPECT_EQ(text, "= D4\n\n");
    EXPECT_EQ(pieces, text);
    EXPECT_LT(clock.ms(), 10000) << "a complete reply must not wait for the quiet period";

    int idleCalls = 0;
    hooks.idle = [&idleCalls] { return ++idleCalls < 3; };
    proc.ReadStdout(500, text, hooks);
    EXPECT_EQ(text, "");
    EXPECT_EQ(idleCalls, 3);
}
