#include "GtpClient.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zemra::test {

std::string GtpClient::findGnuGo()
{
    // Debian installs games outside root's usual PATH.
    std::vector<std::string> dirs;
    if (const char* path = std::getenv("PATH")) {
        std::string p = path;
        std::size_t start = 0;
        while (start <= p.size()) {
            const std::size_t end = p.find(':', start);
            dirs.push_back(p.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    dirs.push_back("/usr/games");
    for (const auto& d : dirs) {
        const std::string candidate = d + "/gnugo";
        if (!d.empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

GtpClient::GtpClient(const std::vector<std::string>& argv)
{
    int in[2], out[2];
    if (argv.empty() || ::pipe(in) != 0) return;
    if (::pipe(out) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        const int devnull = ::open("/dev/null", O_WRONLY);
        if (devnull >= 0) ::dup2(devnull, STDERR_FILENO);
        ::close(in[0]);
        ::close(in[1]);
        ::close(out[0]);
        ::close(out[1]);
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    if (pid < 0) {
        ::close(in[1]);
        ::close(out[0]);
        return;
    }
    m_pid = pid;
    m_toEngine = in[1];
    m_fromEngine = out[0];
    ::signal(SIGPIPE, SIG_IGN);
}

GtpClient::~GtpClient()
{
    if (m_pid <= 0) return;
    send("quit");
    ::close(m_toEngine);
    ::close(m_fromEngine);
    ::waitpid(m_pid, nullptr, 0);
}

GtpClient::Reply GtpClient::send(const std::string& command)
{
    if (m_pid <= 0) return {false, "engine not running"};
    const std::string line = command + "\n";
    std::size_t written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(m_toEngine, line.data() + written, line.size() - written);
        if (n <= 0) return {false, "engine died"};
        written += static_cast<std::size_t>(n);
    }
    // A response ends with an empty line.
    std::size_t end;
    while ((end = m_buffer.find("\n\n")) == std::string::npos) {
        char chunk[4096];
        const ssize_t n = ::read(m_fromEngine, chunk, sizeof chunk);
        if (n <= 0) return {false, "engine died"};
        m_buffer.append(chunk, static_cast<std::size_t>(n));
    }
    std::string response = m_buffer.substr(0, end);
    m_buffer.erase(0, end + 2);
    Reply r;
    r.ok = !response.empty() && response[0] == '=';
    std::size_t first = response.find_first_not_of("=? \t\r\n");
    std::size_t last = response.find_last_not_of(" \t\r\n");
    r.text = first == std::string::npos ? std::string() : response.substr(first, last - first + 1);
    return r;
}

} // namespace zemra::test
