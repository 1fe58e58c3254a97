#pragma once

#include <sys/resource.h>

#include <csignal>

namespace Dunmorra::Test {

// Fails every write past `bytes` for a scope, as a full disk would, without
// needing a file system of that size. The size-limit signal is ignored
// meanwhile, so the write returns an error instead of ending the process.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tight = m_old;
        tight.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &tight) == 0;
    }
    ~ScopedFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

    bool active() const { return m_active; }

private:
    struct rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace Dunmorra::Test
