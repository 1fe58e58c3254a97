#include "history/NetworkFilter.h"

#include <gtest/gtest.h>

using namespace Dunmorra;

TEST(NetworkFilter, NarrowsToAnExactNameOrReadsAsAll)
{
    DailySummary day;
    day.networkSSIDs[QStringLiteral("Home")] = {100, 900};
    day.networkSSIDs[QStringLiteral("Cafe")] = {50, 50};
    day.networkSSIDs[QStringLiteral("Ethernet")] = {10, 20};
    const std::vector<NetworkFilter::Network> networks = day.sortedNetworks();

    NetworkFilter filter;
    EXPECT_TRUE(filter.isAll());
    EXPECT_FALSE(filter.match(networks));
    EXPECT_EQ(filter.apply(networks), networks);

    filter.select(QStringLiteral("Cafe"));
    EXPECT_TRUE(filter.isSelected(QStringLiteral("Cafe")));
    ASSERT_TRUE(filter.match(networks));
    EXPECT_EQ(filter.match(networks)->stat.uploadBytes, 50);
    EXPECT_EQ(filter.apply(networks).size(), 1u);

    // A name the day does not hold exactly: all networks, the choice kept.
    for (const char* other : {"cafe", "Cafe ", "Office"}) {
        filter.select(QLatin1String(other));
        EXPECT_FALSE(filter.match(networks)) << other;
        EXPECT_EQ(filter.apply(networks), networks) << other;
        EXPECT_EQ(filter.selected(), QLatin1String(other));
    }
    filter.clear();
    EXPECT_TRUE(filter.isAll());

    EXPECT_EQ(NetworkFilter::symbolFor(QStringLiteral("Ethernet")), QStringLiteral("cable.connector"));
    for (const char* name : {"Wi-Fi", "ethernet", "Home", ""})
        EXPECT_EQ(NetworkFilter::symbolFor(QLatin1String(name)), QStringLiteral("wifi")) << name;
}
