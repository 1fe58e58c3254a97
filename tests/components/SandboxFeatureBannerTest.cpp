#include "components/SandboxFeatureBanner.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {
struct BannerFixture : ::testing::Test {
    QTemporaryDir dir;
    UserSettings settings{std::make_unique<QSettings>(dir.filePath("s.conf"), QSettings::IniFormat)};
    const QString key = QString::fromLatin1(SettingKeys::showSandboxHints);
};
} // namespace

TEST_F(BannerFixture, DismissInOneBannerHidesEveryBanner)
{
    QWidget a, b;
    auto* first = new SandboxFeatureBanner("Top processes unavailable", "d", settings, &a);
    auto* second = new SandboxFeatureBanner("Other", "d", settings, &b);
    (new QVBoxLayout(&a))->addWidget(first);
    (new QVBoxLayout(&b))->addWidget(second);
    a.show();
    b.show();
    ASSERT_TRUE(first->isVisible());
    ASSERT_TRUE(second->isVisible());

    first->dismissButton()->click();
    EXPECT_FALSE(first->isVisible());
    EXPECT_FALSE(second->isVisible());
    EXPECT_FALSE(settings.boolValue(key, true));

    settings.setValue(key, true); // the Settings tab turns hints on again
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(second->isVisible());
}

TEST_F(BannerFixture, DismissedBannerTakesNoSpaceInItsStack)
{
    settings.setValue(key, false);
    QWidget page;
    auto* stack = new QVBoxLayout(&page);
    stack->setSpacing(20);
    stack->setContentsMargins(0, 0, 0, 0);
    auto* above = new QLabel("above");
    auto* below = new QLabel("below");
    stack->addWidget(above);
    auto* banner = new SandboxFeatureBanner("t", "d", settings, &page);
    stack->addWidget(banner);
    stack->addWidget(below);
    stack->addStretch(1);
    page.resize(300, 300);
    page.show();
    EXPECT_FALSE(banner->isVisible());
    EXPECT_EQ(below->geometry().top(), above->geometry().bottom() + 1 + 20);
}

TEST_F(BannerFixture, ShowsTitleAndDescriptionVerbatim)
{
    QWidget page;
    auto* banner = new SandboxFeatureBanner("<b>Title</b>", "The sandbox does not allow access to per-process CPU data.", settings, &page);
    auto* title = banner->findChild<QLabel*>("bannerTitle");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->textFormat(), Qt::PlainText);
    EXPECT_EQ(title->text(), "<b>Title</b>");
    EXPECT_EQ(banner->findChild<QLabel*>("bannerDescription")->text(),
              "The sandbox does not allow access to per-process CPU data.");
    EXPECT_EQ(banner->dismissButton()->text(), "Dismiss");
}
