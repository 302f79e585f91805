#include "engine/EngineCommand.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace zemra {

namespace {

bool isExecutableFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

} // namespace

EngineCommand engineCommandLine(const EngineSettings& settings, const std::string& defaultProgram)
{
    const bool byDefault = settings.engineField == DefaultEngineField;
    EngineCommand command;
    command.argv = {byDefault ? defaultProgram : settings.engineField, "--mode", "gtp"};
    if (byDefault && settings.neverResign) command.argv.emplace_back("--never-resign");
    for (const char* word : {"--quiet", "--level"})
        command.argv.emplace_back(word);
    command.argv.push_back(std::to_string(settings.level));
    command.argv.emplace_back("--boardsize");
    command.argv.push_back(std::to_string(settings.boardSize));

    for (const std::string& word : command.argv) {
        if (!command.text.empty()) command.text += ' ';
        command.text += word;
    }
    return command;
}

std::string defaultEngineProgram(const std::string& programDir)
{
    const std::string beside = programDir + "gnugo";
    if (isExecutableFile(beside)) return beside;
    const std::string system = findSystemGnuGo();
    return system.empty() ? beside : system;
}

std::string findSystemGnuGo()
{
    std::string dirs;
    if (const char* path = std::getenv("PATH")) dirs = path;
    dirs += ":/usr/games";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        // An empty entry means the current folder to a shell; an engine is never taken from there.
        if (end > start) {
            const std::string candidate = dirs.substr(start, end - start) + "/gnugo";
            if (isExecutableFile(candidate)) return candidate;
        }
        start = end + 1;
    }
    return {};
}

} // namespace zemra
