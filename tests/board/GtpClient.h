// A minimal GTP client for tests: runs an engine as a child process and
// exchanges one command and one response at a time over pipes.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace zemra::test {

class GtpClient {
public:
    // Empty when no GNU Go is installed.
    static std::string findGnuGo();

    explicit GtpClient(const std::vector<std::string>& argv);
    ~GtpClient();
    GtpClient(const GtpClient&) = delete;
    GtpClient& operator=(const GtpClient&) = delete;

    bool running() const { return m_pid > 0; }

    struct Reply {
        bool ok = false;  // "=" rather than "?"
        std::string text; // the response without the status character, trimmed
    };
    // Sends one command line and reads its response. A dead engine gives
    // ok = false with text "engine died".
    Reply send(const std::string& command);

private:
    pid_t m_pid = -1;
    int m_toEngine = -1;
    int m_fromEngine = -1;
    std::string m_buffer;
};

} // namespace zemra::test
