#include "history/DailySummaryCodec.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>

namespace Dunmorra {

namespace {

using Json = nlohmann::json;

// Our records nest four deep; this leaves room for unknown members while a
// file of millions of brackets is turned away before a tree is built for it.
constexpr int kMaxNesting = 256;

double finiteOrZero(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

Json encode(const BucketStat& stat)
{
    Json out = Json::object();
    out["sum"] = finiteOrZero(stat.sum);
    out["count"] = stat.count;
    out["peak"] = finiteOrZero(stat.peak);
    out["peakTime"] = finiteOrZero(stat.peakTime);
    return out;
}

Json encode(const HourBucket& bucket)
{
    Json out = Json::object();
    out["hour"] = bucket.hour;
    out["cpu"] = encode(bucket.cpu);
    out["memoryGB"] = encode(bucket.memoryGB);
    out["batteryPercent"] = encode(bucket.batteryPercent);
    out["networkUpBytes"] = finiteOrZero(bucket.networkUpBytes);
    out["networkDownBytes"] = finiteOrZero(bucket.networkDownBytes);
    out["diskReadBytes"] = finiteOrZero(bucket.diskReadBytes);
    out["diskWriteBytes"] = finiteOrZero(bucket.diskWriteBytes);
    return out;
}

// --- strict reading -------------------------------------------------------

bool nestingWithin(std::string_view text, int limit)
{
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"')
            inString = true;
        else if (c == '[' || c == '{') {
            if (++depth > limit)
                return false;
        } else if (c == ']' || c == '}')
            --depth;
    }
    return true;
}

const Json* member(const Json& object, const char* key)
{
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

bool read(const Json& object, const char* key, double& out)
{
    const Json* value = member(object, key);
    if (!value || !value->is_number())
        return false;
    out = value->get<double>();
    return std::isfinite(out);
}

bool read(const Json& object, const char* key, std::int64_t& out)
{
    const Json* value = member(object, key);
    if (!value)
        return false;
    switch (value->type()) {
    case Json::value_t::number_integer:
        out = value->get<std::int64_t>();
        return true;
    case Json::value_t::number_unsigned: {
        const auto u = value->get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return false;
        out = static_cast<std::int64_t>(u);
        return true;
    }
    case Json::value_t::number_float: {
        // 174.0 and 1e3 are integers written another way; 2.5 and 1e300 are not.
        const double d = value->get<double>();
        constexpr double limit = 9223372036854775808.0; // 2^63
        if (!std::isfinite(d) || d != std::trunc(d) || d < -limit || d >= limit)
            return false;
        out = static_cast<std::int64_t>(d);
        return true;
    }
    default:
        return false;
    }
}

bool read(const Json& object, const char* key, std::uint64_t& out)
{
    const Json* value = member(object, key);
    if (!value)
        return false;
    switch (value->type()) {
    case Json::value_t::number_unsigned:
        out = value->get<std::uint64_t>();
        return true;
    case Json::value_t::number_integer: {
        // The parser gives this type to negative numbers only.
        const auto i = value->get<std::int64_t>();
        if (i < 0)
            return false;
        out = static_cast<std::uint64_t>(i);
        return true;
    }
    case Json::value_t::number_float: {
        const double d = value->get<double>();
        constexpr double limit = 18446744073709551616.0; // 2^64
        if (!std::isfinite(d) || d != std::trunc(d) || d < 0 || d >= limit)
            return false;
        out = static_cast<std::uint64_t>(d);
        return true;
    }
    default:
        return false;
    }
}

bool read(const Json& object, const char* key, QString& out)
{
    const Json* value = member(object, key);
    if (!value || !value->is_string())
        return false;
    out = QString::fromStdString(value->get_ref<const std::string&>());
    return true;
}

bool decode(const Json& in, BucketStat& out)
{
    return in.is_object()
        && read(in, "sum", out.sum)
        && read(in, "count", out.count)
        && read(in, "peak", out.peak)
        && read(in, "peakTime", out.peakTime);
}

bool readStat(const Json& object, const char* key, BucketStat& out)
{
    const Json* value = member(object, key);
    return value && decode(*value, out);
}

bool decode(const Json& in, HourBucket& out)
{
    return in.is_object()
        && read(in, "hour", out.hour)
        && readStat(in, "cpu", out.cpu)
        && readStat(in, "memoryGB", out.memoryGB)
        && readStat(in, "batteryPercent", out.batteryPercent)
        && read(in, "networkUpBytes", out.networkUpBytes)
        && read(in, "networkDownBytes", out.networkDownBytes)
        && read(in, "diskReadBytes", out.diskReadBytes)
        && read(in, "diskWriteBytes", out.diskWriteBytes);
}

bool decode(const Json& in, HistoricProcess& out)
{
    return in.is_object()
        && read(in, "name", out.name)
        && read(in, "cpuSum", out.cpuSum)
        && read(in, "cpuCount", out.cpuCount)
        && read(in, "memorySum", out.memorySum);
}

bool decode(const Json& in, NetworkSSIDStat& out)
{
    return in.is_object()
        && read(in, "uploadBytes", out.uploadBytes)
        && read(in, "downloadBytes", out.downloadBytes);
}

template<typename Record>
bool readMap(const Json& object, const char* key, std::map<QString, Record>& out)
{
    const Json* value = member(object, key);
    if (!value || !value->is_object())
        return false;
    for (const auto& [name, entry] : value->items()) {
        Record record;
        if (!decode(entry, record))
            return false;
        out.insert_or_assign(QString::fromStdString(name), std::move(record));
    }
    return true;
}

bool readHours(const Json& object, std::vector<HourBucket>& out)
{
    const Json* value = member(object, "hours");
    if (!value || !value->is_array())
        return false;
    out.reserve(value->size());
    for (const Json& entry : *value) {
        HourBucket bucket;
        if (!decode(entry, bucket))
            return false;
        out.push_back(bucket);
    }
    return true;
}

} // namespace

std::string encodeDailySummary(const DailySummary& summary)
{
    Json hours = Json::array();
    for (const HourBucket& bucket : summary.hours)
        hours.push_back(encode(bucket));

    Json processes = Json::object();
    for (const auto& [name, process] : summary.processes) {
        Json entry = Json::object();
        entry["name"] = utf8(process.name);
        entry["cpuSum"] = finiteOrZero(process.cpuSum);
        entry["cpuCount"] = process.cpuCount;
        entry["memorySum"] = process.memorySum;
        processes[utf8(name)] = std::move(entry);
    }

    Json networks = Json::object();
    for (const auto& [name, stat] : summary.networkSSIDs) {
        Json entry = Json::object();
        entry["uploadBytes"] = finiteOrZero(stat.uploadBytes);
        entry["downloadBytes"] = finiteOrZero(stat.downloadBytes);
        networks[utf8(name)] = std::move(entry);
    }

    Json out = Json::object();
    out["date"] = finiteOrZero(summary.date);
    out["hours"] = std::move(hours);
    out["processes"] = std::move(processes);
    out["networkSSIDs"] = std::move(networks);
    out["diskTotalBytes"] = summary.diskTotalBytes;
    out["diskUsedBytes"] = summary.diskUsedBytes;
    out["diskFreeBytes"] = summary.diskFreeBytes;
    out["uptimeDays"] = summary.uptimeDays;
    out["uptimeHours"] = summary.uptimeHours;
    out["uptimeMinutes"] = summary.uptimeMinutes;
    out["batteryHealthPercent"] = summary.batteryHealthPercent;
    // A name that is not valid UTF-8 is written with replacement characters
    // instead of failing the whole day.
    return out.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<DailySummary> decodeDailySummary(std::string_view text)
{
    if (!nestingWithin(text, kMaxNesting))
        return std::nullopt;
    try {
        const Json in = Json::parse(text.begin(), text.end(), nullptr, false);
        if (!in.is_object())
            return std::nullopt;
        DailySummary out;
        const bool whole = read(in, "date", out.date)
            && readHours(in, out.hours)
            && readMap(in, "processes", out.processes)
            && readMap(in, "networkSSIDs", out.networkSSIDs)
            && read(in, "diskTotalBytes", out.diskTotalBytes)
            && read(in, "diskUsedBytes", out.diskUsedBytes)
            && read(in, "diskFreeBytes", out.diskFreeBytes)
            && read(in, "uptimeDays", out.uptimeDays)
            && read(in, "uptimeHours", out.uptimeHours)
            && read(in, "uptimeMinutes", out.uptimeMinutes)
            && read(in, "batteryHealthPercent", out.batteryHealthPercent);
        if (!whole)
            return std::nullopt;
        return out;
    } catch (const Json::exception&) {
        return std::nullopt;
    }
}

} // namespace Dunmorra
