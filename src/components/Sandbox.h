#pragma once

#include <QProcessEnvironment>

#include <optional>

namespace Dunmorra {

// True inside a sandbox that hides the process table from us: an app-sandbox
// container, or a Flatpak (whose PID namespace is private). Decided on the
// first read and kept for the life of the process.
bool isSandboxed();

// The rule itself, for one environment: the variable's presence counts, even
// with an empty value.
bool sandboxedIn(const QProcessEnvironment& environment);

// Tests pin the flag (or, with nullopt, return to the process's own value).
void overrideSandboxedForTesting(std::optional<bool> value);

} // namespace Dunmorra
