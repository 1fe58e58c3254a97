#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace Dunmorra::Test {

// Sets the process's time zone (TZ) for a scope; Qt's local time follows it.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            m_old = old;
        set(zone);
    }
    ~ScopedTimeZone()
    {
        if (m_old)
            set(m_old->c_str());
        else {
            unsetenv("TZ");
            tzset();
        }
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

    static void set(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }

private:
    std::optional<std::string> m_old;
};

} // namespace Dunmorra::Test
