// Which engine is started, and with which words.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

#include "EngineTestUtil.h"
#include "engine/EngineCommand.h"

using namespace zemra;
using namespace zemra::test;

namespace {

void makeProgram(const std::string& path, bool executable)
{
    writeFile(path, "#!/bin/sh\n");
    ::chmod(path.c_str(), executable ? 0755 : 0644);
}

// Sets PATH for one scope.
class ScopedPath {
public:
    explicit ScopedPath(const std::string& value)
    {
        if (const char* old = std::getenv("PATH")) m_old = old;
        ::setenv("PATH", value.c_str(), 1);
    }
    ~ScopedPath() { ::setenv("PATH", m_old.c_str(), 1); }

private:
    std::string m_old;
};

} // namespace

TEST(EngineCommand, CommandLineTable)
{
    const std::string dflt = "/opt/zemra/gnugo";
    const struct {
        EngineSettings settings;
        std::string text;
    } rows[] = {
        {{"./gnugo", true, 10, 19}, "/opt/zemra/gnugo --mode gtp --never-resign --quiet --level 10 --boardsize 19"},
        {{"./gnugo", false, 7, 13}, "/opt/zemra/gnugo --mode gtp --quiet --level 7 --boardsize 13"},
        {{"/usr/local/bin/gnugo", true, 1, 9}, "/usr/local/bin/gnugo --mode gtp --quiet --level 1 --boardsize 9"},
        {{"/usr/local/bin/gnugo", false, 3, 5}, "/usr/local/bin/gnugo --mode gtp --quiet --level 3 --boardsize 5"},
        {{"./gnugo.exe", true, 10, 19}, "./gnugo.exe --mode gtp --quiet --level 10 --boardsize 19"},
    };
    for (const auto& r : rows) {
        const EngineCommand c = engineCommandLine(r.settings, dflt);
        EXPECT_EQ(c.text, r.text);
        std::string joined;
        for (const auto& w : c.argv)
            joined += (joined.empty() ? "" : " ") + w;
        EXPECT_EQ(joined, r.text);
    }
}

TEST(EngineCommand, PathsWithBlanksStayOneWord)
{
    const EngineCommand chosen = engineCommandLine({"/home/li/my engines/gnugo", true, 5, 19}, "/x/gnugo");
    EXPECT_EQ(chosen.text, "/home/li/my engines/gnugo --mode gtp --quiet --level 5 --boardsize 19");
    EXPECT_EQ(chosen.argv.front(), "/home/li/my engines/gnugo");
    EXPECT_EQ(chosen.argv.size(), 8u);

    const EngineCommand beside = engineCommandLine({}, "/home/li/围棋 程序/gnugo");
    EXPECT_EQ(beside.argv.front(), "/home/li/围棋 程序/gnugo");
    EXPECT_EQ(beside.argv[3], "--never-resign");
}

TEST(EngineCommand, DefaultEngineIsTheOneBesideTheProgramElseTheSystemOne)
{
    TempDir program;
    TempDir bin;
    const std::string dir = program.file("");
    makeProgram(bin.file("gnugo"), true);
    ScopedPath path("/nonexistent:" + bin.path());

    EXPECT_EQ(defaultEngineProgram(dir), bin.file("gnugo")) << "nothing beside the program";
    makeProgram(program.file("gnugo"), false);
    EXPECT_EQ(defaultEngineProgram(dir), bin.file("gnugo")) << "not executable";
    makeProgram(program.file("gnugo"), true);
    EXPECT_EQ(defaultEngineProgram(dir), program.file("gnugo"));
}

TEST(EngineCommand, SystemGnuGoIsSearchedOnPathThenInUsrGames)
{
    TempDir bin;
    TempDir other;
    makeProgram(bin.file("gnugo"), true);
    std::filesystem::create_directory(other.file("gnugo")); // a folder named gnugo is no program
    {
        ScopedPath path(":" + other.path() + ":" + bin.path());
        EXPECT_EQ(findSystemGnuGo(), bin.file("gnugo"));
    }
    const bool debianGnuGo = ::access("/usr/games/gnugo", X_OK) == 0;
    ScopedPath path(other.path());
    EXPECT_EQ(findSystemGnuGo(), debianGnuGo ? "/usr/games/gnugo" : "");
    EXPECT_EQ(defaultEngineProgram("/nonexistent/"), debianGnuGo ? "/usr/games/gnugo" : "/nonexistent/gnugo");
}
