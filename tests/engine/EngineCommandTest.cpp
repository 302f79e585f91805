// Which engine is started, and with which words.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

#include "EngineTestUtil.h"
#include "engine/EngineCommand.h"
#include "engine/GTPUtils.h"

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
        {{"./gnugo.exe", false, 3, 5}, "./gnugo.exe --mode gtp --quiet --level 3 --boardsize 5"},
    };
    for (const auto& r : rows) {
        const EngineCommand c = engineCommandLine(r.settings, dflt);
        EXPECT_EQ(c.text, r.text);
        EXPECT_EQ(c.argv, splitCommandLine(r.text));
    }
    // A path with blanks is shown as it is and started as one word.
    const EngineCommand chosen = engineCommandLine({"/home/li/my engines/gnugo", true, 5, 19}, dflt);
    EXPECT_EQ(chosen.text, "/home/li/my engines/gnugo --mode gtp --quiet --level 5 --boardsize 19");
    EXPECT_EQ(chosen.argv.front(), "/home/li/my engines/gnugo");
    EXPECT_EQ(chosen.argv.size(), 8u);
    EXPECT_EQ(engineCommandLine({}, "/home/li/围棋 程序/gnugo").argv.front(), "/home/li/围棋 程序/gnugo");
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
