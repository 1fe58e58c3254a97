#include "history/DailySummaryCodec.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace Dunmorra {

namespace {

using Json = nlohmann::json;

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

} // namespace Dunmorra
