#include "model/DiskSnapshot.h"

#include <QCoreApplication>

namespace Dunmorra {

const DiskSnapshot& DiskSnapshot::initial()
{
    static const DiskSnapshot snapshot{
        2'100'000.0, 0.0,
        QCoreApplication::translate("DiskSnapshot", "System Disk"),
        994'662'400'000ULL, 650'000'000'000ULL, 344'662'400'000ULL,
    };
    return snapshot;
}

} // namespace Dunmorra
