#include "tabs/folders/BreadcrumbBar.h"

#include "components/Divider.h"
#include "components/Palette.h"
#include "components/Symbols.h"
#include "folders/FolderPath.h"
#include "folders/FolderProvider.h"
#include "tabs/PagePieces.h"
#include "tabs/folders/CrumbButton.h"
#include "tabs/folders/FolderSummaryRow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

namespace Dunmorra {

namespace {
constexpr int kToolIcon = 14;
} // namespace

BreadcrumbBar::BreadcrumbBar(FolderProvider& folders, QWidget* parent)
    : Card(parent)
    , m_folders(folders)
{
    setObjectName(QStringLiteral("breadcrumbBar"));
    auto* content = new QWidget;
    auto* row = PagePieces::row(12);
    content->setLayout(row);

    m_trailArea = new QScrollArea(content);
    m_trailArea->setObjectName(QStringLiteral("trail"));
    m_trailArea->setFrameShape(QFrame::NoFrame);
    m_trailArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_trailArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_trailArea->setWidgetResizable(true);
    m_trailArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_trailArea->viewport()->setAutoFillBackground(false);
    m_trail = new QWidget;
    m_trail->setAutoFillBackground(false);
    m_trailRow = new QHBoxLayout(m_trail);
    m_trailRow->setContentsMargins(0, 2, 0, 2);
    m_trailRow->setSpacing(5);
    m_trailArea->setWidget(m_trail);
    m_trail->setAutoFillBackground(false); // setWidget turned it on: the card shows through
    row->addWidget(m_trailArea, 1);

    auto* rule = new Divider(1.0, content);
    rule->setFixedSize(1, 22);
    row->addWidget(rule, 0, Qt::AlignVCenter);

    m_up = toolButton(QStringLiteral("arrow.up"), "upButton");
    m_hidden = toolButton(QString(), "hiddenToggle");
    m_hidden->setCheckable(true);
    m_refresh = toolButton(QStringLiteral("arrow.clockwise"), "refreshButton");
    auto* tools = PagePieces::row(6);
    tools->addWidget(m_up);
    tools->addWidget(m_hidden);
    tools->addWidget(m_refresh);
    row->addLayout(tools);
    setContent(content);

    connect(m_up, &QToolButton::clicked, &m_folders, &FolderProvider::goUp);
    connect(m_refresh, &QToolButton::clicked, &m_folders, &FolderProvider::scan);
    connect(m_hidden, &QToolButton::toggled, this, [this](bool show) {
        if (show == m_folders.showHidden())
            return;
        m_folders.setShowHidden(show);
        m_folders.scan();
    });
    connect(&m_folders, &FolderProvider::breadcrumbsChanged, this, &BreadcrumbBar::rebuildCrumbs);
    connect(&m_folders, &FolderProvider::currentPathChanged, this, &BreadcrumbBar::rebuildCrumbs);
    connect(&m_folders, &FolderProvider::breadcrumbsChanged, this, &BreadcrumbBar::refreshToolbar);
    connect(&m_folders, &FolderProvider::showHiddenChanged, this, &BreadcrumbBar::refreshToolbar);
    connect(&m_folders, &FolderProvider::isScanningChanged, this, &BreadcrumbBar::refreshToolbar);
    connect(&m_folders, &FolderProvider::isComputingSizesChanged, this, &BreadcrumbBar::refreshToolbar);
    rebuildCrumbs();
    refreshToolbar();
}

QToolButton* BreadcrumbBar::toolButton(const QString& symbol, const char* name)
{
    auto* button = new QToolButton;
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(false);
    button->setIconSize(QSize(kToolIcon, kToolIcon));
    button->setProperty("symbol", symbol);
    if (!symbol.isEmpty())
        button->setIcon(symbolPixmap(symbol, kToolIcon, palettePrimary(), qApp->devicePixelRatio()));
    return button;
}

void BreadcrumbBar::rebuildCrumbs()
{
    for (CrumbButton* crumb : std::as_const(m_crumbs))
        crumb->deleteLater();
    m_crumbs.clear();
    while (QLayoutItem* item = m_trailRow->takeAt(0)) {
        if (QWidget* w = item->widget(); w && !qobject_cast<CrumbButton*>(w))
            w->deleteLater();
        delete item;
    }

    const QByteArray& current = m_folders.currentPath();
    const QByteArray& home = m_folders.homePath();
    const QList<QByteArray>& trail = m_folders.breadcrumbs();
    for (qsizetype i = 0; i < trail.size(); ++i) {
        const QByteArray& path = trail[i];
        if (i > 0) {
            auto* chevron = new SymbolView(QStringLiteral("chevron.right"), 9, quaternaryFill(), m_trail);
            chevron->setObjectName(QStringLiteral("crumbChevron"));
            m_trailRow->addWidget(chevron, 0, Qt::AlignVCenter);
        }
        const bool isHome = path == home;
        auto* crumb = new CrumbButton(path, FolderSummaryRow::titleFor(path, home), isHome, path == current, m_trail);
        connect(crumb, &CrumbButton::clicked, this, [this, path] { m_folders.navigateTo(path); });
        m_trailRow->addWidget(crumb, 0, Qt::AlignVCenter);
        m_crumbs.append(crumb);
    }
    m_trailRow->addStretch(1);
    // From the crumbs themselves: new children are not shown yet, and the
    // layout counts hidden widgets as empty.
    int height = 0;
    for (CrumbButton* crumb : std::as_const(m_crumbs))
        height = std::max(height, crumb->sizeHint().height());
    const QMargins margins = m_trailRow->contentsMargins();
    m_trailArea->setFixedHeight(height + margins.top() + margins.bottom());
    // Keep the current folder, at the end of the trail, in sight.
    QTimer::singleShot(0, m_trailArea, [area = m_trailArea] {
        area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
    });
}

void BreadcrumbBar::refreshToolbar()
{
    m_up->setEnabled(m_folders.breadcrumbs().size() >= 2);
    const bool show = m_folders.showHidden();
    {
        const QSignalBlocker quiet(m_hidden);
        m_hidden->setChecked(show);
    }
    const QString symbol = show ? QStringLiteral("eye") : QStringLiteral("eye.slash");
    m_hidden->setProperty("symbol", symbol);
    m_hidden->setIcon(symbolPixmap(symbol, kToolIcon, palettePrimary(), qApp->devicePixelRatio()));
    m_hidden->setToolTip(show ? tr("Hide hidden files") : tr("Show hidden files"));
    m_hidden->setAccessibleName(m_hidden->toolTip());
    m_refresh->setEnabled(!m_folders.isScanning() && !m_folders.isComputingSizes());
    m_up->setToolTip(tr("Enclosing folder"));
    m_refresh->setToolTip(tr("Refresh"));
}

} // namespace Dunmorra
