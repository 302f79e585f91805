// A full disk without a mount: while a FileSizeLimit lives, this process
// cannot make a regular file longer than the limit. A write that crosses it
// is cut short and the next one fails with EFBIG, the way a full disk cuts
// and fails writes with ENOSPC. SIGXFSZ, which would end the process, is
// ignored meanwhile. Pipes and terminals are not affected.
#pragma once

#include <csignal>

#include <sys/resource.h>

namespace zemra::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lower = m_old;
        lower.rlim_cur = bytes;
        m_set = ::setrlimit(RLIMIT_FSIZE, &lower) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // Whether the limit is in force; a test that relies on it must check.
    bool set() const { return m_set; }

private:
    rlimit m_old{};
    void (*m_signal)(int) = SIG_DFL;
    bool m_set = false;
};

} // namespace zemra::test
