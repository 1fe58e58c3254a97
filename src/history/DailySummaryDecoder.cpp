// Strict reading of a day file, straight from the parser's events into the
// records: no intermediate JSON tree, so a day decodes in about half the time
// and a file of millions of brackets costs no memory.
#include "history/DailySummaryCodec.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace Dunmorra {

namespace {

using Json = nlohmann::json;

// Our records nest four deep; unknown members may nest further, up to this.
constexpr std::size_t kMaxNesting = 256;

// One number as the parser saw it.
struct Number {
    enum class Kind { Negative, Unsigned, Float } kind;
    std::int64_t negative = 0;
    std::uint64_t unsignedValue = 0;
    double floating = 0;

    bool toDouble(double& out) const
    {
        switch (kind) {
        case Kind::Negative: out = static_cast<double>(negative); break;
        case Kind::Unsigned: out = static_cast<double>(unsignedValue); break;
        case Kind::Float: out = floating; break;
        }
        return std::isfinite(out);
    }

    // 174.0 and 1e3 are integers written another way; 2.5 and 1e300 are not.
    bool toInt64(std::int64_t& out) const
    {
        constexpr double limit = 9223372036854775808.0; // 2^63
        switch (kind) {
        case Kind::Negative: out = negative; return true;
        case Kind::Unsigned:
            if (unsignedValue > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
                return false;
            out = static_cast<std::int64_t>(unsignedValue);
            return true;
        case Kind::Float:
            if (!std::isfinite(floating) || floating != std::trunc(floating) || floating < -limit || floating >= limit)
                return false;
            out = static_cast<std::int64_t>(floating);
            return true;
        }
        return false;
    }

    bool toUInt64(std::uint64_t& out) const
    {
        constexpr double limit = 18446744073709551616.0; // 2^64
        switch (kind) {
        case Kind::Negative: return false;
        case Kind::Unsigned: out = unsignedValue; return true;
        case Kind::Float:
            if (!std::isfinite(floating) || floating != std::trunc(floating) || floating < 0 || floating >= limit)
                return false;
            out = static_cast<std::uint64_t>(floating);
            return true;
        }
        return false;
    }
};

// Where the parser is: one frame per open object or array.
enum class Frame { Root, Hours, Bucket, Stat, Processes, Process, Networks, Network, Skip };

// The members of each record, in field order; a member's index is its bit in
// the frame's mask of members seen.
constexpr std::string_view kRootFields[] = {"date", "hours", "processes", "networkSSIDs", "diskTotalBytes",
    "diskUsedBytes", "diskFreeBytes", "uptimeDays", "uptimeHours", "uptimeMinutes", "batteryHealthPercent"};
constexpr std::string_view kBucketFields[] = {"hour", "cpu", "memoryGB", "batteryPercent", "networkUpBytes",
    "networkDownBytes", "diskReadBytes", "diskWriteBytes"};
constexpr std::string_view kStatFields[] = {"sum", "count", "peak", "peakTime"};
constexpr std::string_view kProcessFields[] = {"name", "cpuSum", "cpuCount", "memorySum"};
constexpr std::string_view kNetworkFields[] = {"uploadBytes", "downloadBytes"};

template<std::size_t N>
int indexOf(const std::string_view (&fields)[N], std::string_view key)
{
    for (std::size_t i = 0; i < N; ++i)
        if (fields[i] == key)
            return static_cast<int>(i);
    return -1;
}

template<std::size_t N>
constexpr std::uint32_t allOf(const std::string_view (&)[N])
{
    return (1u << N) - 1;
}

class DayReader {
public:
    using number_integer_t = Json::number_integer_t;
    using number_unsigned_t = Json::number_unsigned_t;
    using number_float_t = Json::number_float_t;
    using string_t = Json::string_t;
    using binary_t = Json::binary_t;

    std::optional<DailySummary> result() { return m_complete ? std::optional(std::move(m_out)) : std::nullopt; }

    bool null() { return scalar(std::nullopt); }
    bool boolean(bool) { return scalar(std::nullopt); }
    bool number_integer(number_integer_t v) { return scalar(Number{Number::Kind::Negative, v, 0, 0}); }
    bool number_unsigned(number_unsigned_t v) { return scalar(Number{Number::Kind::Unsigned, 0, v, 0}); }
    bool number_float(number_float_t v, const string_t&) { return scalar(Number{Number::Kind::Float, 0, 0, v}); }
    bool string(string_t& v) { return stringValue(v); }
    bool binary(binary_t&) { return false; }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) { return false; }

    bool key(string_t& k)
    {
        Level& level = m_stack.back();
        switch (level.frame) {
        case Frame::Root: m_field = indexOf(kRootFields, k); break;
        case Frame::Bucket: m_field = indexOf(kBucketFields, k); break;
        case Frame::Stat: m_field = indexOf(kStatFields, k); break;
        case Frame::Process: m_field = indexOf(kProcessFields, k); break;
        case Frame::Network: m_field = indexOf(kNetworkFields, k); break;
        case Frame::Processes:
        case Frame::Networks: m_entryName = QString::fromStdString(k); break;
        case Frame::Skip:
        case Frame::Hours: break;
        }
        return true;
    }

    bool start_object(std::size_t)
    {
        if (m_stack.size() >= kMaxNesting)
            return false;
        if (m_stack.empty())
            return push(Frame::Root);
        Level& level = m_stack.back();
        switch (level.frame) {
        case Frame::Skip:
            return push(Frame::Skip);
        case Frame::Hours:
            m_out.hours.emplace_back();
            return push(Frame::Bucket);
        case Frame::Processes: {
            HistoricProcess& process = m_out.processes[m_entryName];
            process = HistoricProcess{};
            m_process = &process;
            return push(Frame::Process);
        }
        case Frame::Networks: {
            NetworkSSIDStat& network = m_out.networkSSIDs[m_entryName];
            network = NetworkSSIDStat{};
            m_network = &network;
            return push(Frame::Network);
        }
        case Frame::Root:
            if (m_field < 0)
                return push(Frame::Skip);
            if (m_field == 2) {
                m_out.processes.clear();
                return mark(level) && push(Frame::Processes);
            }
            if (m_field == 3) {
                m_out.networkSSIDs.clear();
                return mark(level) && push(Frame::Networks);
            }
            return false;
        case Frame::Bucket:
            if (m_field < 0)
                return push(Frame::Skip);
            if (m_field >= 1 && m_field <= 3) {
                HourBucket& bucket = m_out.hours.back();
                m_stat = m_field == 1 ? &bucket.cpu : m_field == 2 ? &bucket.memoryGB : &bucket.batteryPercent;
                *m_stat = BucketStat{};
                return mark(level) && push(Frame::Stat);
            }
            return false;
        case Frame::Stat:
        case Frame::Process:
        case Frame::Network:
            return m_field < 0 && push(Frame::Skip);
        }
        return false;
    }

    bool start_array(std::size_t)
    {
        if (m_stack.empty() || m_stack.size() >= kMaxNesting)
            return false;
        Level& level = m_stack.back();
        if (level.frame == Frame::Skip)
            return push(Frame::Skip);
        if (level.frame == Frame::Root && m_field == 1) {
            m_out.hours.clear();
            return mark(level) && push(Frame::Hours);
        }
        if (isRecord(level.frame) && m_field < 0)
            return push(Frame::Skip);
        return false;
    }

    bool end_object()
    {
        const Level level = m_stack.back();
        m_stack.pop_back();
        switch (level.frame) {
        case Frame::Root:
            m_complete = level.seen == allOf(kRootFields);
            return m_complete;
        case Frame::Bucket: return level.seen == allOf(kBucketFields);
        case Frame::Stat: return level.seen == allOf(kStatFields);
        case Frame::Process: return level.seen == allOf(kProcessFields);
        case Frame::Network: return level.seen == allOf(kNetworkFields);
        default: return true;
        }
    }

    bool end_array()
    {
        m_stack.pop_back();
        return true;
    }

private:
    struct Level {
        Frame frame;
        std::uint32_t seen = 0;
    };

    static bool isRecord(Frame frame)
    {
        return frame == Frame::Root || frame == Frame::Bucket || frame == Frame::Stat || frame == Frame::Process
            || frame == Frame::Network;
    }

    bool push(Frame frame)
    {
        m_stack.push_back({frame, 0});
        return true;
    }

    bool mark(Level& level)
    {
        level.seen |= 1u << m_field;
        return true;
    }

    // A value that is not an object or array; empty for null and booleans,
    // which no field takes.
    bool scalar(std::optional<Number> number)
    {
        if (m_stack.empty())
            return false;  // the top level must be an object
        Level& level = m_stack.back();
        if (level.frame == Frame::Skip)
            return true;
        if (!isRecord(level.frame))
            return false;  // an hour, process or network that is not an object
        if (m_field < 0)
            return true;   // an unknown member
        if (!number)
            return false;
        const Number& n = *number;
        bool ok = false;
        switch (level.frame) {
        case Frame::Root:
            switch (m_field) {
            case 0: ok = n.toDouble(m_out.date); break;
            case 4: ok = n.toUInt64(m_out.diskTotalBytes); break;
            case 5: ok = n.toUInt64(m_out.diskUsedBytes); break;
            case 6: ok = n.toUInt64(m_out.diskFreeBytes); break;
            case 7: ok = n.toInt64(m_out.uptimeDays); break;
            case 8: ok = n.toInt64(m_out.uptimeHours); break;
            case 9: ok = n.toInt64(m_out.uptimeMinutes); break;
            case 10: ok = n.toInt64(m_out.batteryHealthPercent); break;
            default: break;
            }
            break;
        case Frame::Bucket: {
            HourBucket& bucket = m_out.hours.back();
            switch (m_field) {
            case 0: ok = n.toInt64(bucket.hour); break;
            case 4: ok = n.toDouble(bucket.networkUpBytes); break;
            case 5: ok = n.toDouble(bucket.networkDownBytes); break;
            case 6: ok = n.toDouble(bucket.diskReadBytes); break;
            case 7: ok = n.toDouble(bucket.diskWriteBytes); break;
            default: break;
            }
            break;
        }
        case Frame::Stat:
            switch (m_field) {
            case 0: ok = n.toDouble(m_stat->sum); break;
            case 1: ok = n.toInt64(m_stat->count); break;
            case 2: ok = n.toDouble(m_stat->peak); break;
            case 3: ok = n.toDouble(m_stat->peakTime); break;
            default: break;
            }
            break;
        case Frame::Process:
            switch (m_field) {
            case 1: ok = n.toDouble(m_process->cpuSum); break;
            case 2: ok = n.toInt64(m_process->cpuCount); break;
            case 3: ok = n.toUInt64(m_process->memorySum); break;
            default: break;
            }
            break;
        case Frame::Network:
            ok = n.toDouble(m_field == 0 ? m_network->uploadBytes : m_network->downloadBytes);
            break;
        default:
            break;
        }
        return ok && mark(level);
    }

    bool stringValue(const string_t& text)
    {
        if (m_stack.empty())
            return false;
        Level& level = m_stack.back();
        if (level.frame == Frame::Skip)
            return true;
        if (!isRecord(level.frame))
            return false;
        if (m_field < 0)
            return true;
        if (level.frame != Frame::Process || m_field != 0)
            return false;  // text where a number or a record goes
        m_process->name = QString::fromStdString(text);
        return mark(level);
    }

    std::vector<Level> m_stack;
    int m_field = -1;          // the member being read, by index; -1 unknown
    QString m_entryName;       // the map key being read
    BucketStat* m_stat = nullptr;
    HistoricProcess* m_process = nullptr;
    NetworkSSIDStat* m_network = nullptr;
    DailySummary m_out;
    bool m_complete = false;
};

} // namespace

std::optional<DailySummary> decodeDailySummary(std::string_view text)
{
    DayReader reader;
    try {
        if (!Json::sax_parse(text.begin(), text.end(), &reader))
            return std::nullopt;
    } catch (const Json::exception&) {
        return std::nullopt;
    }
    return reader.result();
}

} // namespace Dunmorra
