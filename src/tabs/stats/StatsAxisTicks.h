#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace Dunmorra {

// Round axis steps (1, 2, 2.5 or 5 times a power of ten) for the Stats
// charts whose marks the Parts leave to the chart: about four steps per axis.
namespace StatsAxisTicks {

// Steps are round in multiples of unit (1024 for megabytes shown as
// gigabytes), so the texts at the marks read round too.

// Marks from 0 up to a fixed top, the last at or below it.
std::vector<double> withinTop(double top, double unit = 1);

// The top of a scale from 0 that holds largest: the first round step at or
// above it (one unit when largest is not positive).
double roundedTop(double largest, double unit = 1);

// The binary unit in which megabyte values read best: 1024 from a gigabyte,
// 1/1024 below a megabyte, else 1 (also for nothing at all).
double megabyteUnit(double largest);

struct Scale {
    double top = 1;
    std::vector<double> marks; // from 0 up to top, top included
};

// A scale from 0 for megabyte values up to largest whose marks each read
// exactly and differently in text (formatBytes shows whole KB and MB and
// tenths of a GB, so 1.5 MB would read "2 MB" beside a real 2 MB): the
// smallest round step at the shown precision whose texts do not repeat.
Scale megabyteScale(double largest, const std::function<QString(double)>& text);

} // namespace StatsAxisTicks

} // namespace Dunmorra
