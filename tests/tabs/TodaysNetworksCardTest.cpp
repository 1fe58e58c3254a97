#include "tabs/network/TodaysNetworksCard.h"

#include "components/Divider.h"
#include "components/PlainText.h"
#include "components/Symbols.h"
#include "components/Typography.h"
#include "support/QtPrinters.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Dunmorra;

namespace {

constexpr double GiB = 1024.0 * 1024 * 1024;

std::vector<DailySummary::NamedNetwork> today(std::initializer_list<std::pair<QString, NetworkSSIDStat>> entries)
{
    DailySummary summary;
    for (const auto& [name, stat] : entries)
        summary.networkSSIDs[name] = stat;
    return summary.sortedNetworks();
}

// {A: 3 GB, B: 1 GB, C: 2 GB}
std::vector<DailySummary::NamedNetwork> threeNetworks()
{
    return today({{QStringLiteral("A"), {1 * GiB, 2 * GiB}},
                  {QStringLiteral("B"), {0.25 * GiB, 0.75 * GiB}},
                  {QStringLiteral("C"), {0.5 * GiB, 1.5 * GiB}}});
}

QComboBox* menuOf(const TodaysNetworksCard& card)
{
    return qobject_cast<QComboBox*>(card.menu());
}

QStringList menuTexts(const QComboBox& menu)
{
    QStringList out;
    for (int i = 0; i < menu.count(); ++i)
        out << menu.itemText(i);
    return out;
}

QWidget* rowOf(const TodaysNetworksCard& card, const QString& name)
{
    return card.findChild<QWidget*>(QStringLiteral("networkRow:") + name);
}

bool dividerShown(const QWidget& row)
{
    auto* divider = row.findChild<Divider*>();
    return divider && !divider->isHidden();
}

QString cell(const QWidget& row, const char* name)
{
    auto* label = row.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

// What the user does: picks the entry with that text.
void choose(QComboBox& menu, const QString& text)
{
    const int index = menu.findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    menu.setCurrentIndex(index);
    Q_EMIT menu.activated(index);
}

} // namespace

TEST(TodaysNetworksCard, NoNetworksShowTheEmptyTextOnly)
{
    TodaysNetworksCard card;
    card.setNetworks({});
    EXPECT_TRUE(card.menu()->isHidden());
    auto* empty = card.findChild<QLabel*>(QStringLiteral("noNetworks"));
    EXPECT_FALSE(empty->isHidden());
    EXPECT_EQ(empty->text(), QStringLiteral("No network activity recorded yet today"));
    EXPECT_TRUE(card.findChild<QWidget*>(QStringLiteral("networkTable"))->isHidden());
    auto* title = card.findChild<IconLabel*>(QStringLiteral("cardTitle"));
    EXPECT_EQ(title->label()->text(), QStringLiteral("Today's Networks"));
    EXPECT_EQ(title->symbolView()->symbol(), QStringLiteral("wifi.circle"));
}

TEST(TodaysNetworksCard, OneNetworkIsOneRowWithoutMenuOrDivider)
{
    TodaysNetworksCard card;
    card.setNetworks(today({{QStringLiteral("Ethernet"), {400, 3.5 * 1024 * 1024}}}));
    EXPECT_TRUE(card.menu()->isHidden());
    EXPECT_TRUE(card.findChild<QLabel*>(QStringLiteral("noNetworks"))->isHidden());
    EXPECT_EQ(card.rowNames(), QStringList{"Ethernet"});
    QWidget* row = rowOf(card, QStringLiteral("Ethernet"));
    ASSERT_TRUE(row);
    EXPECT_FALSE(dividerShown(*row));
    EXPECT_EQ(row->findChild<SymbolView*>(QStringLiteral("networkSymbol"))->symbol(), QStringLiteral("cable.connector"));
    EXPECT_EQ(cell(*row, "networkUpload"), QStringLiteral("0 KB")); // 400 bytes
    EXPECT_EQ(cell(*row, "networkDownload"), QStringLiteral("4 MB"));
}

TEST(TodaysNetworksCard, MenuNarrowsTheTableToOneNetworkAndAllBringsThemBack)
{
    TodaysNetworksCard card;
    card.setNetworks(threeNetworks());
    QComboBox* menu = menuOf(card);
    ASSERT_TRUE(menu);
    EXPECT_FALSE(menu->isHidden());
    EXPECT_EQ(menuTexts(*menu), (QStringList{"All", "A", "C", "B"}));
    EXPECT_EQ(menu->currentIndex(), 0);
    EXPECT_EQ(card.rowNames(), (QStringList{"A", "C", "B"}));
    EXPECT_TRUE(dividerShown(*rowOf(card, QStringLiteral("A"))));
    EXPECT_TRUE(dividerShown(*rowOf(card, QStringLiteral("C"))));
    EXPECT_FALSE(dividerShown(*rowOf(card, QStringLiteral("B"))));
    EXPECT_EQ(cell(*rowOf(card, QStringLiteral("A")), "networkUpload"), QStringLiteral("1.0 GB"));
    EXPECT_EQ(cell(*rowOf(card, QStringLiteral("A")), "networkDownload"), QStringLiteral("2.0 GB"));
    EXPECT_EQ(rowOf(card, QStringLiteral("B"))->findChild<SymbolView*>()->symbol(), QStringLiteral("wifi"));

    QWidget* rowC = rowOf(card, QStringLiteral("C"));
    choose(*menu, QStringLiteral("C"));
    EXPECT_EQ(card.selectedSSID(), QStringLiteral("C"));
    EXPECT_EQ(card.rowNames(), QStringList{"C"});
    EXPECT_EQ(rowOf(card, QStringLiteral("C")), rowC); // the same row, now the last
    EXPECT_FALSE(dividerShown(*rowC));

    choose(*menu, QStringLiteral("All"));
    EXPECT_EQ(card.selectedSSID(), std::nullopt);
    EXPECT_EQ(card.rowNames(), (QStringList{"A", "C", "B"}));
    EXPECT_TRUE(dividerShown(*rowOf(card, QStringLiteral("C"))));
}

TEST(TodaysNetworksCard, ASelectedNameThatDisappearsShowsAllRowsAndStaysSelected)
{
    TodaysNetworksCard card;
    card.setNetworks(threeNetworks());
    choose(*menuOf(card), QStringLiteral("C"));

    card.setNetworks(today({{QStringLiteral("A"), {1, 2}}, {QStringLiteral("B"), {0, 1}}}));
    EXPECT_EQ(card.rowNames(), (QStringList{"A", "B"}));
    EXPECT_EQ(card.selectedSSID(), QStringLiteral("C"));
    EXPECT_EQ(menuOf(card)->currentIndex(), -1); // nothing in the menu is chosen
    EXPECT_EQ(menuTexts(*menuOf(card)), (QStringList{"All", "A", "B"}));

    // With one network the menu hides, and the choice still holds once C is back.
    card.setNetworks(today({{QStringLiteral("C"), {5, 5}}}));
    EXPECT_TRUE(card.menu()->isHidden());
    EXPECT_EQ(card.rowNames(), QStringList{"C"});
    card.setNetworks(threeNetworks());
    EXPECT_EQ(card.rowNames(), QStringList{"C"});
    EXPECT_EQ(menuOf(card)->currentText(), QStringLiteral("C"));
}

TEST(TodaysNetworksCard, MenuIsRefilledOnlyWhenItsNamesChangeAndNeverWhileOpen)
{
    TodaysNetworksCard card;
    card.setNetworks(threeNetworks());
    QComboBox* menu = menuOf(card);
    QSignalSpy refills(menu->model(), &QAbstractItemModel::rowsInserted);

    // New totals every second, same names in the same order: left alone.
    card.setNetworks(today({{QStringLiteral("A"), {9 * GiB, 0}},
                            {QStringLiteral("B"), {0.25 * GiB, 0.75 * GiB}},
                            {QStringLiteral("C"), {0.5 * GiB, 1.5 * GiB}}}));
    EXPECT_EQ(refills.count(), 0);
    EXPECT_EQ(cell(*rowOf(card, QStringLiteral("A")), "networkUpload"), QStringLiteral("9.0 GB"));

    card.show();
    menu->showPopup();
    const auto grown = today({{QStringLiteral("A"), {9 * GiB, 0}}, {QStringLiteral("D"), {5 * GiB, 0}}});
    card.setNetworks(grown);
    EXPECT_EQ(refills.count(), 0);                                  // not under the pointer
    EXPECT_EQ(card.rowNames(), (QStringList{"A", "D"}));            // the table follows at once
    EXPECT_EQ(menuTexts(*menu), (QStringList{"All", "A", "C", "B"}));

    // A choice from the open list still names what it showed.
    menu->hidePopup();
    choose(*menu, QStringLiteral("C"));
    EXPECT_EQ(card.selectedSSID(), QStringLiteral("C"));
    QCoreApplication::processEvents();
    EXPECT_GT(refills.count(), 0);
    EXPECT_EQ(menuTexts(*menu), (QStringList{"All", "A", "D"}));
    EXPECT_EQ(menu->currentIndex(), -1);
    EXPECT_EQ(card.rowNames(), (QStringList{"A", "D"}));
}

TEST(TodaysNetworksCard, NamesAreShownAsPlainTextWhateverTheyHold)
{
    const QString markup = QStringLiteral("<b>x</b>");
    const QString broken = QString::fromUtf8("caf\xc3\n\x07");   // invalid UTF-8, a line feed and a bell
    TodaysNetworksCard card;
    card.setNetworks(today({{markup, {2, 2}}, {broken, {1, 1}}}));
    QWidget* row = rowOf(card, markup);
    ASSERT_TRUE(row);
    auto* name = row->findChild<QLabel*>(QStringLiteral("networkName"));
    EXPECT_EQ(name->text(), markup);
    EXPECT_EQ(name->textFormat(), Qt::PlainText);
    EXPECT_EQ(rowOf(card, broken)->findChild<QLabel*>(QStringLiteral("networkName"))->text(),
              QString::fromUtf8("caf\ufffd\ufffd\ufffd"));
    QComboBox* menu = menuOf(card);
    EXPECT_EQ(menuTexts(*menu), (QStringList{"All", markup, QString::fromUtf8("caf\ufffd\ufffd\ufffd")}));
    choose(*menu, QString::fromUtf8("caf\ufffd\ufffd\ufffd"));
    EXPECT_EQ(card.selectedSSID(), broken); // the choice is the name itself, not its display
    EXPECT_EQ(card.rowNames(), QStringList{broken});
}

TEST(TodaysNetworksCard, ALongNameIsCutShortInTheMenuAndWholeInItsToolTip)
{
    const QString shortName = QStringLiteral("Home");
    const QString longName = QStringLiteral("<i>Guest</i> network of the third floor east wing, 5 GHz band");
    TodaysNetworksCard card;
    card.setNetworks(today({{shortName, {2, 2}}, {QStringLiteral("Cafe"), {1, 1}}}));
    QComboBox* menu = menuOf(card);
    const int shortWidth = menu->sizeHint().width();

    card.setNetworks(today({{longName, {2, 2}}, {QStringLiteral("Cafe"), {1, 1}}}));
    const int longWidth = menu->sizeHint().width();
    EXPECT_GT(longWidth, shortWidth);
    // No wider than about 24 characters, whatever the name's length.
    EXPECT_LT(longWidth, menu->fontMetrics().horizontalAdvance(longName));
    card.setNetworks(today({{longName + longName, {2, 2}}, {QStringLiteral("Cafe"), {1, 1}}}));
    EXPECT_EQ(menu->sizeHint().width(), longWidth);

    card.setNetworks(today({{longName, {2, 2}}, {QStringLiteral("Cafe"), {1, 1}}}));
    menu->resize(menu->sizeHint());
    card.setSelectedSSID(longName);
    EXPECT_TRUE(card.menuShownText().endsWith(QChar(0x2026))) << card.menuShownText().toStdString();
    EXPECT_TRUE(longName.startsWith(card.menuShownText().chopped(1)));
    // The tooltip shows the whole name as text, not as markup.
    EXPECT_EQ(menu->toolTip(), plainToolTip(longName));
    EXPECT_EQ(menu->itemData(menu->findData(longName), Qt::ToolTipRole).toString(), plainToolTip(longName));

    choose(*menu, QStringLiteral("Cafe"));
    EXPECT_EQ(card.menuShownText(), QStringLiteral("Cafe"));
    EXPECT_EQ(menu->toolTip(), plainToolTip(QStringLiteral("Cafe")));
    choose(*menu, QStringLiteral("All"));
    EXPECT_TRUE(menu->toolTip().isEmpty());
}

TEST(TodaysNetworksCard, TotalsOutsideAByteCountStillShow)
{
    const double inf = std::numeric_limits<double>::infinity();
    TodaysNetworksCard card;
    card.setNetworks(today({{QStringLiteral("a"), {-5, std::nan("")}}, {QStringLiteral("b"), {1e30, inf}}}));
    EXPECT_EQ(cell(*rowOf(card, QStringLiteral("a")), "networkUpload"), QStringLiteral("0 KB"));
    EXPECT_EQ(cell(*rowOf(card, QStringLiteral("a")), "networkDownload"), QStringLiteral("0 KB"));
    EXPECT_EQ(cell(*rowOf(card, QStringLiteral("b")), "networkUpload"), QStringLiteral("17179869184.0 GB"));
    EXPECT_EQ(cell(*rowOf(card, QStringLiteral("b")), "networkDownload"), QStringLiteral("0 KB"));
}
