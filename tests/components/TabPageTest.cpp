#include "components/TabPage.h"

#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {
// Would like 900 rows, makes do with 300.
class Shrinkable : public QWidget {
public:
    Shrinkable() { setMinimumHeight(300); }
    QSize sizeHint() const override { return {200, 900}; }
};
} // namespace

// A page whose content can shrink is given its minimum by the scroll area,
// not what it would like: the page lays its content out within that, and
// none of it lies past the end of the scrolled area.
TEST(TabPage, ContentThatCanShrinkStaysWithinThePage)
{
    TabPage page;
    auto* content = new Shrinkable;
    page.stack()->addWidget(content);
    page.resize(500, 400);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    QCoreApplication::processEvents();
    QWidget* body = page.widget();
    EXPECT_LE(content->geometry().bottom(), body->height());
    EXPECT_GE(content->height(), 300);
}
