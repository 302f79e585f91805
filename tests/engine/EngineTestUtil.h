// Shared pieces of the engine tests: a temporary folder, the two helper
// programs, a stopwatch and the CI rule for GNU Go.
#pragma once

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zemra::test {

// A fresh folder removed with everything in it at the end of the scope.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zemra-engine-XXXXXX").string();
        if (::mkdtemp(pattern.data())) m_path = pattern;
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path() const { return m_path.string(); }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

inline std::vector<std::string> childHelper(std::vector<std::string> args)
{
    args.insert(args.begin(), ZEMRA_CHILD_HELPER);
    return args;
}

// The fake engine with this script, recording its commands in a file of dir.
struct FakeEngine {
    explicit FakeEngine(const std::string& script)
    {
        writeFile(dir.file("script"), script);
        argv = {ZEMRA_FAKE_GTP_ENGINE, dir.file("script"), dir.file("commands")};
    }
    // The commands received so far, one per line.
    std::string commands() const { return readFile(dir.file("commands")); }

    TempDir dir;
    std::vector<std::string> argv;
};

class Stopwatch {
public:
    long long ms() const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

inline bool inCi()
{
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

} // namespace zemra::test
