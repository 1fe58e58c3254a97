#pragma once

#include "model/AudioSnapshot.h"
#include "model/CPUSnapshot.h"
#include "model/DiskSnapshot.h"
#include "model/MemorySnapshot.h"
#include "model/NetworkSnapshot.h"

#include <QString>

namespace Dunmorra::PopoverTexts {

// Which palette colour a row's value takes.
enum class Tint { primary, orange, red };

QString cpuValue(const CPUSnapshot& cpu);
// "%.1f GB" of the used bytes, always with a decimal point.
QString memoryValue(const MemorySnapshot& memory);
Tint memoryTint(const MemorySnapshot& memory);
QString diskValue(const DiskSnapshot& disk);
// Red above 90 % used, orange above 80 %, primary otherwise or without a total.
Tint diskTint(const DiskSnapshot& disk);
QString networkValue(const NetworkSnapshot& network);
QString ipValue(const NetworkSnapshot& network);
QString audioSummary(const AudioSnapshot& audio);
// A process's share of one core, one fraction digit, in the user's locale.
QString processPercent(const CPUSnapshot::ProcessInfo& process);

} // namespace Dunmorra::PopoverTexts
