#include "app/MainWindowView.h"

#include "app/AboutPanel.h"
#include "app/SidebarIcons.h"
#include "app/TabNotifications.h"
#include "components/Palette.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {

constexpr int TabRole = Qt::UserRole + 1;
constexpr int HighlightRole = Qt::UserRole + 2;

// The selected row gets a soft rounded accent fill; the list's own selection
// stays off so the two never disagree (a tab may be shown without a row).
class SidebarRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.data(HighlightRole).toBool()) {
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing);
            // The application's accent, as the popup's hover and the trend
            // lines have it, whatever the desktop's selection colour.
            painter->setPen(Qt::NoPen);
            painter->setBrush(withAlpha(accentColor(), 0.18));
            painter->drawRoundedRect(QRectF(option.rect).adjusted(4, 1, -4, -1), 6, 6);
            painter->restore();
        }
        QStyleOptionViewItem plain = option;
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        QStyledItemDelegate::paint(painter, plain, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(size.height() + 8);
        return size;
    }
};

} // namespace

MainWindowView::MainWindowView(TabFactory factory, bool sandboxed, UserSettings& settings, QWidget* parent)
    : QMainWindow(parent)
    , m_factory(std::move(factory))
    , m_sandboxed(sandboxed)
    , m_settings(settings)
    , m_showFolderTab(settings.boolValue(QLatin1String(SettingKeys::showFolderTab), SettingKeys::showFolderTabDefault))
{
    setObjectName(QStringLiteral("main"));
    resize(1100, 750);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    m_sidebar = new QListWidget(splitter);
    m_sidebar->setObjectName(QStringLiteral("sidebar"));
    m_sidebar->setSelectionMode(QAbstractItemView::NoSelection);
    m_sidebar->setFrameShape(QFrame::NoFrame);
    m_sidebar->setItemDelegate(new SidebarRowDelegate(m_sidebar));
    m_sidebar->setMinimumWidth(160);
    m_sidebar->setIconSize(QSize(16, 16));
    const auto rowTab = [this](QListWidgetItem* item) {
        if (item)
            selectTab(item->data(TabRole).value<MainTab>());
    };
    connect(m_sidebar, &QListWidget::itemClicked, this, rowTab);
    connect(m_sidebar, &QListWidget::itemActivated, this, rowTab);

    m_detail = new QWidget(splitter);
    m_detail->setObjectName(QStringLiteral("detail"));
    auto* detailLayout = new QVBoxLayout(m_detail);
    detailLayout->setContentsMargins(0, 0, 0, 0);

    splitter->addWidget(m_sidebar);
    splitter->addWidget(m_detail);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({180, 920});
    splitter->setMinimumSize(820, 620);
    setCentralWidget(splitter);

    buildMenus();
    rebuildSidebar();
    selectTab(MainTab::overview);

    connect(&m_settings, &UserSettings::valueChanged, this, &MainWindowView::settingChanged);
    auto& notifications = TabNotifications::shared();
    connect(&notifications, &TabNotifications::switchTabPosted, this, &MainWindowView::selectTab);
    connect(&notifications, &TabNotifications::openSettingsTabPosted, this,
        [this] { selectTab(MainTab::settings); });
}

MainWindowView::~MainWindowView() = default;

std::vector<MainTab> MainWindowView::visibleTabs(bool sandboxed, bool showFolderTab)
{
    std::vector<MainTab> tabs;
    for (MainTab tab : allMainTabs) {
        if (tab == MainTab::folders && sandboxed && !showFolderTab)
            continue;
        tabs.push_back(tab);
    }
    return tabs;
}

QString MainWindowView::titleFor(MainTab tab)
{
    // The task bar and the window switcher show the title alone, so it
    // names the application as well as the tab.
    return QCoreApplication::translate("MainWindowView", "%1 \u2014 Halvorin").arg(title(tab));
}

void MainWindowView::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}

std::vector<MainTab> MainWindowView::visibleTabs() const
{
    return visibleTabs(m_sandboxed, m_showFolderTab);
}

void MainWindowView::buildMenus()
{
    QMenu* app = menuBar()->addMenu(QStringLiteral("Halvorin"));
    app->setObjectName(QStringLiteral("appMenu"));
    QAction* about = app->addAction(QCoreApplication::translate("HalvorinsApp", "About Halvorin"));
    about->setObjectName(QStringLiteral("about"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, [] { showAboutPanel(); });
    app->addSeparator();
    QAction* quit = app->addAction(QCoreApplication::translate("MenuBarPopover", "Quit Halvorin"));
    quit->setObjectName(QStringLiteral("quit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, qApp, &QCoreApplication::quit, Qt::QueuedConnection);

    m_goMenu = menuBar()->addMenu(QCoreApplication::translate("HalvorinsApp", "Go"));
    m_goMenu->setObjectName(QStringLiteral("goMenu"));
    // Ctrl+1 … Ctrl+9, then Ctrl+0 for the tenth.
    static constexpr Qt::Key keys[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5,
        Qt::Key_6, Qt::Key_7, Qt::Key_8, Qt::Key_9, Qt::Key_0};
    for (std::size_t i = 0; i < allMainTabs.size(); ++i) {
        const MainTab tab = allMainTabs[i];
        QAction* action = m_goMenu->addAction(title(tab));
        action->setObjectName(QStringLiteral("go.") + rawValue(tab));
        action->setShortcut(QKeySequence(Qt::CTRL | keys[i]));
        connect(action, &QAction::triggered, this, [tab] { TabNotifications::shared().postSwitchTab(tab); });
    }
}

void MainWindowView::rebuildSidebar()
{
    m_sidebar->clear();
    for (MainTab tab : visibleTabs()) {
        auto* item = new QListWidgetItem(sidebarIcon(tab), title(tab), m_sidebar);
        item->setData(TabRole, QVariant::fromValue(tab));
        item->setData(Qt::AccessibleTextRole, title(tab));
    }
    updateHighlight();
}

void MainWindowView::updateHighlight()
{
    for (int i = 0; i < m_sidebar->count(); ++i) {
        QListWidgetItem* item = m_sidebar->item(i);
        item->setData(HighlightRole, m_selected && item->data(TabRole).value<MainTab>() == *m_selected);
    }
}

void MainWindowView::selectTab(MainTab tab)
{
    if (m_selected == tab && m_current)
        return;
    m_selected = tab;
    if (m_current) {
        // Deferred: the old view may be the one whose action led here.
        m_detail->layout()->removeWidget(m_current);
        m_current->hide();
        m_current->deleteLater();
    }
    m_current = m_factory(tab, m_detail);
    if (m_current) {
        m_detail->layout()->addWidget(m_current);
        m_current->show();
    }
    setWindowTitle(titleFor(tab));
    updateHighlight();
}

void MainWindowView::settingChanged(const QString& key)
{
    if (key != QLatin1String(SettingKeys::showFolderTab))
        return;
    const bool show = m_settings.boolValue(key, SettingKeys::showFolderTabDefault);
    if (show == m_showFolderTab)
        return;
    m_showFolderTab = show;
    folderTabSettingChanged(show);
}

void MainWindowView::folderTabSettingChanged(bool show)
{
    if (!show && m_selected == MainTab::folders)
        selectTab(MainTab::overview);
    rebuildSidebar();
}

} // namespace Dunmorra
