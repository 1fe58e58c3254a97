#pragma once

#include "history/DailySummary.h"

#include <optional>
#include <string>
#include <string_view>

namespace Dunmorra {

// The day file's JSON form: one object per record whose keys are exactly the
// field names, dates as seconds since 2001-01-01 UTC, compact UTF-8.

// Never fails. A double that is not finite (which the recorder never stores)
// is written as 0 so that the file stays readable.
std::string encodeDailySummary(const DailySummary& summary);

// Strict: a missing key, a null, a wrong type, a fraction or an out-of-range
// number in an integer field, or a negative value in an unsigned field rejects
// the whole text. Unknown keys are ignored.
std::optional<DailySummary> decodeDailySummary(std::string_view text);

} // namespace Dunmorra
