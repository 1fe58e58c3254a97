#pragma once

#include "platform/DirectorySize.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

namespace Dunmorra::Test {

// A folder sizer for the folder model that holds every walk until the test
// opens the gate, and then sizes the folder for real: the test sees the
// model while its sizes are being computed.
struct SizingGate {
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;
    std::atomic<int> waiting{0}; // walks that reached the gate

    void release()
    {
        std::lock_guard lock(mutex);
        open = true;
        opened.notify_all();
    }

    std::function<Platform::DirectorySize(const std::string&, const std::atomic<bool>&)> sizer()
    {
        return [this](const std::string& path, const std::atomic<bool>& cancelled) {
            ++waiting;
            std::unique_lock lock(mutex);
            opened.wait(lock, [this] { return open; });
            lock.unlock();
            return Platform::directorySize(path, &cancelled);
        };
    }
};

} // namespace Dunmorra::Test
