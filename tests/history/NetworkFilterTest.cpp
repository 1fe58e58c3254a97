#include "history/NetworkFilter.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {

constexpr double GiB = 1024.0 * 1024 * 1024;

// The day's list the way the views get it: from a summary, most traffic first.
std::vector<DailySummary::NamedNetwork> day(std::initializer_list<std::pair<const char*, double>> totals)
{
    DailySummary summary;
    for (const auto& [name, bytes] : totals)
        summary.networkSSIDs[QString::fromUtf8(name)] = {bytes / 4, bytes * 3 / 4};
    return summary.sortedNetworks();
}

QStringList namesOf(const std::vector<DailySummary::NamedNetwork>& list)
{
    QStringList out;
    for (const auto& n : list)
        out << n.name;
    return out;
}

} // namespace

TEST(NetworkFilter, ShowsEveryNetworkOrTheChosenOne)
{
    struct Case {
        std::vector<DailySummary::NamedNetwork> networks;
        std::optional<QString> selection;
        QStringList shown;
        int menuIndex;
        bool hasEntry;
    };
    const auto three = day({{"A", 3 * GiB}, {"B", 1 * GiB}, {"C", 2 * GiB}});
    const Case cases[] = {
        {{}, std::nullopt, {}, 0, false},
        {{}, QStringLiteral("Home"), {}, -1, false},
        {day({{"Home", 10}}), std::nullopt, {"Home"}, 0, false},
        {day({{"Home", 10}}), QStringLiteral("Home"), {"Home"}, 1, true},
        {three, std::nullopt, {"A", "C", "B"}, 0, false},
        {three, QStringLiteral("C"), {"C"}, 2, true},
        {three, QStringLiteral("B"), {"B"}, 3, true},
        // A name no longer in the list narrows nothing.
        {three, QStringLiteral("Gone"), {"A", "C", "B"}, -1, false},
        {three, QStringLiteral("c"), {"A", "C", "B"}, -1, false},
        {three, QString(), {"A", "C", "B"}, -1, false},
    };
    for (const Case& c : cases) {
        NetworkFilter filter;
        filter.setNetworks(c.networks);
        filter.setSelection(c.selection);
        EXPECT_EQ(namesOf(filter.shown()), c.shown) << c.selection.value_or(QStringLiteral("<none>")).toStdString();
        EXPECT_EQ(filter.menuIndex(), c.menuIndex);
        EXPECT_EQ(filter.selectedEntry() != nullptr, c.hasEntry);
        EXPECT_EQ(filter.selection(), c.selection); // never rewritten
    }
}

TEST(NetworkFilter, SelectedEntryCarriesItsOwnTotals)
{
    NetworkFilter filter;
    filter.setNetworks(day({{"A", 3 * GiB}, {"C", 2 * GiB}}));
    filter.setSelection(QStringLiteral("C"));
    ASSERT_TRUE(filter.selectedEntry());
    EXPECT_EQ(filter.selectedEntry()->stat.uploadBytes, 0.5 * GiB);
    EXPECT_EQ(filter.selectedEntry()->stat.downloadBytes, 1.5 * GiB);
}

TEST(NetworkFilter, ASelectionOutlivesTheListAndNarrowsAgainWhenItsNameReturns)
{
    NetworkFilter filter;
    filter.setNetworks(day({{"Home", 3 * GiB}, {"Office", 1 * GiB}}));
    filter.setSelection(QStringLiteral("Office"));
    EXPECT_EQ(namesOf(filter.shown()), QStringList{"Office"});

    filter.setNetworks(day({{"Home", 10}})); // a new day without it
    EXPECT_EQ(namesOf(filter.shown()), QStringList{"Home"});
    EXPECT_EQ(filter.selection(), QStringLiteral("Office"));

    filter.setNetworks(day({{"Home", 10}, {"Office", 20}}));
    EXPECT_EQ(namesOf(filter.shown()), QStringList{"Office"});
}

TEST(NetworkFilter, ReportsAChangeOnlyWhenTheNamesOrTheirOrderChange)
{
    NetworkFilter filter;
    EXPECT_FALSE(filter.setNetworks({}));                                  // nothing to offer, as before
    EXPECT_TRUE(filter.setNetworks(day({{"A", 3}, {"B", 1}})));
    EXPECT_EQ(filter.names(), (QStringList{"A", "B"}));
    EXPECT_FALSE(filter.setNetworks(day({{"A", 300}, {"B", 100}})));      // new totals only
    EXPECT_EQ(filter.networks().front().stat.uploadBytes, 75.0);         // ... which are taken
    EXPECT_TRUE(filter.setNetworks(day({{"A", 300}, {"B", 400}})));       // B overtakes A
    EXPECT_EQ(filter.names(), (QStringList{"B", "A"}));
    EXPECT_TRUE(filter.setNetworks(day({{"A", 300}, {"B", 400}, {"C", 1}})));
    EXPECT_TRUE(filter.setNetworks({}));
    EXPECT_TRUE(filter.names().isEmpty());
}

TEST(NetworkFilter, SymbolOfANetworkName)
{
    EXPECT_EQ(NetworkFilter::symbolFor(QStringLiteral("Ethernet")), QStringLiteral("cable.connector"));
    for (const char* other : {"Wi-Fi", "Home", "ethernet", "Ethernet ", ""})
        EXPECT_EQ(NetworkFilter::symbolFor(QLatin1String(other)), QStringLiteral("wifi")) << other;
}
