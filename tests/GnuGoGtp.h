// A second, independent opinion for tests: the real GNU Go from Debian,
// spoken to through the program's own engine session.
#pragma once

#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "engine/EngineCommand.h"
#include "engine/GtpEngine.h"
#include "engine/GtpProtocol.h"

namespace zemra::test {

class GnuGoGtp {
public:
    struct Reply {
        bool ok = false;  // "=" rather than "?"
        std::string text; // the reply without its status sign, trimmed
    };

    // Nothing when GNU Go is not installed or does not start.
    static std::unique_ptr<GnuGoGtp> start()
    {
        const std::string path = findSystemGnuGo();
        if (path.empty()) return nullptr;
        auto gtp = std::make_unique<GnuGoGtp>(path);
        if (!gtp->running()) return nullptr;
        return gtp;
    }

    explicit GnuGoGtp(const std::string& program)
    {
        std::string error;
        m_engine.start({program, "--mode", "gtp", "--quiet"}, error);
    }
    bool running() const { return m_engine.running(); }

    Reply send(const std::string& command)
    {
        const GtpReply reply = m_engine.request(command, 1000);
        return {reply.status == ReplyStatus::Answered && !reply.text.empty() && reply.text.front() == '=',
                std::string(gtp::replyBody(reply.text))};
    }

    // The vertices of one colour's stones ("black" or "white").
    std::set<std::string> stones(const char* colour)
    {
        std::istringstream in(send(std::string("list_stones ") + colour).text);
        std::set<std::string> out;
        std::string v;
        while (in >> v)
            out.insert(v);
        return out;
    }

private:
    GtpEngine m_engine;
};

} // namespace zemra::test
