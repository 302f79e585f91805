// A scripted GTP engine for the shapes the real one will not produce.
//   fake-gtp-engine SCRIPT LOG
// Every command line received is appended to LOG (without its line end)
// before anything is answered. SCRIPT holds lines "prefix|action"; the first
// unused line whose prefix starts the command is used up and decides:
//   TEXT              answer TEXT (escapes \r \n \\), written in one piece
//   @silent           answer nothing, keep reading
//   @sleep MS ACTION  wait MS ms, then do ACTION (a text or another @action)
//   @crash            exit at once (status 3) without answering
//   @partial TEXT     write TEXT, then exit (status 3)
//   @each ACTION      do ACTION for every matching command (the line is kept)
//   @flood N ACTION   write N bytes of debug lines in 4 KiB pieces, then do ACTION
//   @chatter MS       write a progress line every MS ms (0: flat out) for ever
//   @fork ACTION      start a child that sleeps a minute (its pid goes to LOG.child), then do ACTION
// A command no line matches is answered "= " + LF + LF, and "quit" then exits.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "HelperText.h"

namespace {

struct Rule {
    std::string prefix;
    std::string action;
    bool used = false;
};

std::string childPidFile;

void put(const std::string& text)
{
    if (::write(STDOUT_FILENO, text.data(), text.size()) != static_cast<ssize_t>(text.size())) std::exit(2);
}

void act(const std::string& action)
{
    if (action == "@silent") return;
    if (action == "@crash") std::_Exit(3);
    if (action.rfind("@partial ", 0) == 0) {
        put(zemra::test::unescape(action.substr(9)));
        std::_Exit(3);
    }
    if (action.rfind("@flood ", 0) == 0) {
        const std::size_t space = action.find(' ', 7);
        std::size_t left = std::strtoull(action.c_str() + 7, nullptr, 10);
        std::string piece;
        while (piece.size() < 4096)
            piece += "debug: reading the whole board once more, nothing decided yet\n";
        piece.resize(4096);
        while (left > 0) {
            const std::size_t n = std::min(left, piece.size());
            put(piece.substr(0, n));
            left -= n;
        }
        act(space == std::string::npos ? "" : action.substr(space + 1));
        return;
    }
    if (action.rfind("@chatter ", 0) == 0) {
        const int pause = std::atoi(action.c_str() + 9);
        for (long line = 1;; ++line) {
            put("progress: still thinking, line " + std::to_string(line) + "\n");
            if (pause > 0) std::this_thread::sleep_for(std::chrono::milliseconds(pause));
        }
    }
    if (action.rfind("@fork ", 0) == 0) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::sleep(60);
            std::_Exit(0);
        }
        std::ofstream(childPidFile) << child;
        act(action.substr(6));
        return;
    }
    if (action.rfind("@sleep ", 0) == 0) {
        const std::size_t space = action.find(' ', 7);
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(action.c_str() + 7)));
        act(space == std::string::npos ? "" : action.substr(space + 1));
        return;
    }
    put(zemra::test::unescape(action));
}

void answer(const std::string& command, std::vector<Rule>& rules)
{
    for (Rule& rule : rules) {
        if (rule.used || command.compare(0, rule.prefix.size(), rule.prefix) != 0) continue;
        if (rule.action.rfind("@each ", 0) == 0) {
            act(rule.action.substr(6));
            return;
        }
        rule.used = true;
        act(rule.action);
        return;
    }
    put("= \n\n");
    if (command == "quit") std::exit(0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) return 1;
    std::vector<Rule> rules;
    std::ifstream script(argv[1]);
    for (std::string line; std::getline(script, line);) {
        const std::size_t bar = line.find('|');
        if (line.empty() || line[0] == '#' || bar == std::string::npos) continue;
        rules.push_back({line.substr(0, bar), line.substr(bar + 1)});
    }
    childPidFile = std::string(argv[2]) + ".child";
    const int log = ::open(argv[2], O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (log < 0) return 1;

    std::string pending;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(STDIN_FILENO, buffer, sizeof buffer)) > 0) {
        pending.append(buffer, static_cast<std::size_t>(n));
        std::size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string command = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!command.empty() && command.back() == '\r') command.pop_back();
            const std::string logged = command + "\n";
            if (::write(log, logged.data(), logged.size()) != static_cast<ssize_t>(logged.size())) return 2;
            answer(command, rules);
        }
    }
    return 0;
}
