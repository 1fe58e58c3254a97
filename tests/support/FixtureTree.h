#pragma once

// Builds small file trees for the folder tests with plain POSIX calls, so
// names that are not valid UTF-8, hard links and symbolic links can be made.

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace Dunmorra::Test {

// A fresh temporary folder, readable by every user (so that a child that
// dropped its privileges can reach it), removed with all it holds at the end
// (QTemporaryDir leaves behind names that are not valid UTF-8).
class FixtureTree {
public:
    FixtureTree()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/halvorin-tree-XXXXXX";
        check(::mkdtemp(pattern.data()) != nullptr, "mkdtemp", pattern);
        m_root = pattern;
        chmod("", 0755);
    }
    ~FixtureTree()
    {
        ::nftw(m_root.c_str(), &chmodWritable, 16, FTW_PHYS);
        ::nftw(m_root.c_str(), &removeOne, 16, FTW_DEPTH | FTW_PHYS);
    }
    FixtureTree(const FixtureTree&) = delete;
    FixtureTree& operator=(const FixtureTree&) = delete;

    const std::string& root() const { return m_root; }
    std::string path(const std::string& rel) const { return rel.empty() ? m_root : m_root + "/" + rel; }

    FixtureTree& dir(const std::string& rel, mode_t mode = 0755)
    {
        check(::mkdir(path(rel).c_str(), mode) == 0 || errno == EEXIST, "mkdir", rel);
        return *this;
    }
    FixtureTree& file(const std::string& rel, std::size_t bytes)
    {
        const int fd = ::open(path(rel).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        check(fd >= 0, "open", rel);
        if (bytes > 0)
            check(::ftruncate(fd, static_cast<off_t>(bytes)) == 0, "ftruncate", rel);
        ::close(fd);
        return *this;
    }
    FixtureTree& symlink(const std::string& target, const std::string& rel)
    {
        check(::symlink(target.c_str(), path(rel).c_str()) == 0, "symlink", rel);
        return *this;
    }
    FixtureTree& hardlink(const std::string& existing, const std::string& rel)
    {
        check(::link(path(existing).c_str(), path(rel).c_str()) == 0, "link", rel);
        return *this;
    }
    FixtureTree& chmod(const std::string& rel, mode_t mode)
    {
        check(::chmod(path(rel).c_str(), mode) == 0, "chmod", rel);
        return *this;
    }

private:
    static int chmodWritable(const char* p, const struct stat* st, int type, FTW*)
    {
        if (type == FTW_D || type == FTW_DNR)
            ::chmod(p, 0700);
        return 0;
    }
    static int removeOne(const char* p, const struct stat*, int, FTW*)
    {
        ::remove(p);
        return 0;
    }
    static void check(bool ok, const char* what, const std::string& rel)
    {
        if (!ok)
            throw std::runtime_error(std::string(what) + " " + rel + ": " + std::strerror(errno));
    }

    std::string m_root;
};

// Runs `body` in a forked child and hands back what it returned (a trivially
// copyable value), or nothing when the child failed. The child may change
// its credentials or mount namespace without touching the test process.
template <typename T>
std::optional<T> inChildProcess(const std::function<T()>& body)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return std::nullopt;
    const pid_t pid = ::fork();
    if (pid < 0)
        return std::nullopt;
    if (pid == 0) {
        ::close(fds[0]);
        const T value = body();
        const bool ok = ::write(fds[1], &value, sizeof value) == static_cast<ssize_t>(sizeof value);
        ::_exit(ok ? 0 : 1);
    }
    ::close(fds[1]);
    T value{};
    const bool got = ::read(fds[0], &value, sizeof value) == static_cast<ssize_t>(sizeof value);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!got || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return value;
}

// Root reads every folder whatever its mode bits. A child that must be
// refused switches to the unprivileged user "nobody" first; false when that
// is not possible. Not root: nothing to drop.
inline bool dropPrivilegesInChild()
{
    if (::geteuid() != 0)
        return true;
    const passwd* pw = ::getpwnam("nobody");
    const uid_t uid = pw ? pw->pw_uid : 65534;
    const gid_t gid = pw ? pw->pw_gid : 65534;
    return ::setgroups(0, nullptr) == 0 && ::setresgid(gid, gid, gid) == 0 && ::setresuid(uid, uid, uid) == 0;
}

// Writes a whole short text to a file that exists (a procfs control file).
inline bool writeWholeText(const char* path, const std::string& text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    return ok;
}

// In a forked child: new mount, PID and network namespaces, so that a procfs
// and a sysfs of their own can be mounted. First inside a user namespace,
// which needs no privileges where the kernel allows unprivileged ones; else
// with the privileges the test runs with.
inline bool enterPrivateNamespaces()
{
    constexpr int kNamespaces = CLONE_NEWNS | CLONE_NEWPID | CLONE_NEWNET;
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | kNamespaces) == 0) {
        if (!writeWholeText("/proc/self/setgroups", "deny")
            || !writeWholeText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1")
            || !writeWholeText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
            return false;
    } else if (::unshare(kNamespaces) != 0) {
        return false;
    }
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

enum class MountSetup { ok, noNamespace, noMount };

// What went wrong, for a test's failure message.
inline const char* describe(MountSetup setup)
{
    switch (setup) {
    case MountSetup::ok: return "";
    case MountSetup::noNamespace:
        return "neither an unprivileged user namespace nor privileges for mount namespaces here";
    case MountSetup::noMount: return "the test's mounts could not be made";
    }
    return "";
}

template <typename T>
struct Mounted {
    MountSetup setup;
    T value;
};

// Runs `mount`, then `body`, in a child process of private namespaces (see
// enterPrivateNamespaces), as the first process of its PID namespace so that
// it may mount a procfs; every mount ends with the child. Nothing when the
// child did not come back. The child ends itself after a minute: a walk
// that goes round a mount cycle would never stop.
template <typename T>
std::optional<Mounted<T>> inPrivateMounts(const std::function<bool()>& mount, const std::function<T()>& body)
{
    return inChildProcess<Mounted<T>>([&] {
        if (!enterPrivateNamespaces())
            return Mounted<T>{MountSetup::noNamespace, {}};
        const auto inside = inChildProcess<Mounted<T>>([&] {
            if (!mount())
                return Mounted<T>{MountSetup::noMount, {}};
            ::alarm(60);
            return Mounted<T>{MountSetup::ok, body()};
        });
        return inside ? *inside : Mounted<T>{MountSetup::noMount, {}};
    });
}

// In a forked child: leaves exactly `spare` descriptor numbers free (every
// gap below the highest one in use filled, the limit set just above it), so
// a walk that needs one more than that fails to open a folder.
inline bool leaveSpareDescriptors(int spare)
{
    int highest = 0;
    if (DIR* d = ::opendir("/proc/self/fd")) {
        while (const dirent* e = ::readdir(d))
            highest = std::max(highest, std::atoi(e->d_name));
        ::closedir(d);
    }
    for (;;) {
        const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        if (fd > highest) {
            ::close(fd);
            break;
        }
    }
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return false;
    limit.rlim_cur = static_cast<rlim_t>(highest + 1 + spare);
    return ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
}

} // namespace Dunmorra::Test
