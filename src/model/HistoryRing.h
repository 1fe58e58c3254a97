#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace Dunmorra {

template <typename T>
struct Sample {
    double date = 0; // wall clock, seconds since 1970
    T value{};
};

// Fixed-capacity ring: overwrites its oldest sample once full, reads back
// oldest first. Storage is reserved once; a full ring never grows.
template <typename T>
class HistoryRing {
public:
    explicit HistoryRing(int capacity = 60)
        : m_capacity(std::max(1, capacity))
    {
        m_buffer.reserve(static_cast<std::size_t>(m_capacity));
    }

    void append(Sample<T> sample)
    {
        if (static_cast<int>(m_buffer.size()) < m_capacity) {
            m_buffer.push_back(std::move(sample));
            return;
        }
        m_buffer[static_cast<std::size_t>(m_head)] = std::move(sample);
        m_head = (m_head + 1) % m_capacity;
    }
    void append(double date, T value) { append(Sample<T>{date, std::move(value)}); }

    std::vector<Sample<T>> orderedSamples() const
    {
        std::vector<Sample<T>> out;
        out.reserve(m_buffer.size());
        forEachOrdered([&](const Sample<T>& s) { out.push_back(s); });
        return out;
    }

    std::vector<T> values() const { return lastValues(size()); }

    // The newest n values (fewer when the ring holds fewer), oldest first,
    // without copying the rest of the ring.
    std::vector<T> lastValues(int n) const
    {
        const int count = std::clamp(n, 0, size());
        std::vector<T> out;
        out.reserve(static_cast<std::size_t>(count));
        for (int i = size() - count; i < size(); ++i)
            out.push_back(at(i).value);
        return out;
    }

    // i-th sample in time order, 0 = oldest.
    const Sample<T>& at(int i) const
    {
        const int n = size();
        const int idx = (n == m_capacity) ? (m_head + i) % m_capacity : i;
        return m_buffer[static_cast<std::size_t>(idx)];
    }

    template <typename F>
    void forEachOrdered(F&& f) const
    {
        for (int i = 0; i < size(); ++i)
            f(at(i));
    }

    bool isEmpty() const { return m_buffer.empty(); }
    int size() const { return static_cast<int>(m_buffer.size()); }
    int capacity() const { return m_capacity; }
    int head() const { return m_head; }
    const Sample<T>* latest() const { return isEmpty() ? nullptr : &at(size() - 1); }

private:
    std::vector<Sample<T>> m_buffer;
    int m_head = 0;
    int m_capacity;
};

} // namespace Dunmorra
