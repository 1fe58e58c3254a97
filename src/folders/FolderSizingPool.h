#pragma once

#include <QThreadPool>

namespace Dunmorra {

// Where folders are listed and sized: low-priority threads of their own, so
// long walks never hold up the providers' sampling work.
//
// The pool is never destroyed: a walk stuck in a dead network mount cannot
// be interrupted, and waiting for it would keep the application from
// quitting. Jobs own everything they touch, so leaving them running at exit
// is harmless.
QThreadPool& folderSizingPool();

} // namespace Dunmorra
