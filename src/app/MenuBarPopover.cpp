#include "app/MenuBarPopover.h"

#include "app/PopoverTexts.h"
#include "components/Divider.h"
#include "components/Palette.h"
#include "components/PlainText.h"
#include "components/SparklineView.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace Dunmorra {

namespace {

constexpr int kWidth = 320;
constexpr int kFrame = 1;
constexpr std::chrono::milliseconds kReopenGuard{300};

struct RowSpec {
    MenuBarPopover::Row row;
    const char* title;     // shown verbatim, as the other row texts
    const char* key;
    bool defaultValue;
    bool trend;
};

constexpr RowSpec kRows[] = {
    {MenuBarPopover::Row::cpu, "CPU", SettingKeys::cpuInMenuBar, SettingKeys::cpuInMenuBarDefault, true},
    {MenuBarPopover::Row::memory, "Memory", SettingKeys::memoryInMenuBar, SettingKeys::memoryInMenuBarDefault, true},
    {MenuBarPopover::Row::disk, "Disk", SettingKeys::diskInMenuBar, SettingKeys::diskInMenuBarDefault, false},
    {MenuBarPopover::Row::network, "Network", SettingKeys::networkInMenuBar, SettingKeys::networkInMenuBarDefault, false},
    {MenuBarPopover::Row::ip, "IP", SettingKeys::ipInMenuBar, SettingKeys::ipInMenuBarDefault, false},
    {MenuBarPopover::Row::audio, "Audio", SettingKeys::audioInMenuBar, SettingKeys::audioInMenuBarDefault, false},
};

QColor tintColor(PopoverTexts::Tint tint, const QPalette& palette)
{
    switch (tint) {
    case PopoverTexts::Tint::primary: return palette.color(QPalette::WindowText);
    case PopoverTexts::Tint::orange: return QColor(255, 149, 0);
    case PopoverTexts::Tint::red: return QColor(255, 59, 48);
    }
    return palette.color(QPalette::WindowText);
}

QFont valueFont(const QFont& base)
{
    QFont font = base;
    font.setPixelSize(14);
    font.setWeight(QFont::Medium);
    return font;
}

} // namespace

namespace {

enum class Edge { none, top, bottom, left, right };

// The side of the screen a panel takes: the one the point lies beyond, else
// the widest band the available area leaves, else none.
Edge panelEdge(const QPoint& p, const QRect& screen, const QRect& available)
{
    if (p.y() < available.top())
        return Edge::top;
    if (p.y() > available.bottom())
        return Edge::bottom;
    if (p.x() < available.left())
        return Edge::left;
    if (p.x() > available.right())
        return Edge::right;
    const std::pair<int, Edge> bands[] = {
        {available.top() - screen.top(), Edge::top},
        {screen.bottom() - available.bottom(), Edge::bottom},
        {available.left() - screen.left(), Edge::left},
        {screen.right() - available.right(), Edge::right},
    };
    Edge edge = Edge::none;
    int widest = 0;
    for (const auto& [band, side] : bands) {
        if (band > widest) {
            widest = band;
            edge = side;
        }
    }
    return edge;
}

QPoint clampedInto(QPoint origin, const QSize& size, const QRect& area)
{
    origin.setX(std::clamp(origin.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
    origin.setY(std::clamp(origin.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
    return origin;
}

// With no panel edge known (a panel that reserves no room: one that hides
// itself, or a desktop without a window manager) the click is on an icon in
// a panel along the nearest screen edge within reach, top and bottom before
// the sides, with the point in the icon's middle: the panel then ends as far
// beyond the point as the edge lies before it, and the popup starts there.
// Away from every edge it opens just beside the point.
QPoint awayFromPoint(const QPoint& p, const QSize& size, const QRect& screen)
{
    constexpr int kReach = 64; // thicker than any panel
    constexpr int kGap = 8;
    const int toTop = p.y() - screen.top();
    const int toBottom = screen.bottom() - p.y();
    const int toLeft = p.x() - screen.left();
    const int toRight = screen.right() - p.x();
    const int centredX = p.x() - size.width() / 2;
    const int centredY = p.y() - size.height() / 2;
    if (std::min(toTop, toBottom) <= kReach) {
        return toTop <= toBottom ? QPoint(centredX, screen.top() + 2 * toTop + 1)
                                 : QPoint(centredX, screen.bottom() - 2 * toBottom - size.height());
    }
    if (std::min(toLeft, toRight) <= kReach) {
        return toLeft <= toRight ? QPoint(screen.left() + 2 * toLeft + 1, centredY)
                                 : QPoint(screen.right() - 2 * toRight - size.width(), centredY);
    }
    return QPoint(centredX, p.y() > screen.center().y() ? p.y() - kGap - size.height() : p.y() + kGap + 1);
}

} // namespace

QPoint popoverPosition(const PopoverAnchor& anchor, const QPoint& cursor, const QSize& size, const QRect& screen,
                       const QRect& available)
{
    const QRect area = available.isValid() ? available : screen;
    const QRect& icon = anchor.iconGeometry;
    QPoint origin;
    if (icon.isValid() && !icon.isEmpty()) {
        const QPoint c = icon.center();
        if (c.x() < area.left() || c.x() > area.right()) {
            // A side panel: beside the icon, centred on it.
            origin.setX(c.x() < area.left() ? icon.right() + 1 : icon.left() - size.width());
            origin.setY(icon.top() + (icon.height() - size.height()) / 2);
        } else {
            origin.setX(icon.left() + (icon.width() - size.width()) / 2);
            const bool lowerHalf = c.y() > screen.center().y();
            origin.setY(lowerHalf ? icon.top() - size.height() : icon.bottom() + 1);
        }
        return clampedInto(origin, size, area);
    }
    const QPoint p = anchor.point.value_or(cursor);
    switch (panelEdge(p, screen, area)) {
    case Edge::top:
        origin = QPoint(p.x() - size.width() / 2, area.top());
        break;
    case Edge::bottom:
        origin = QPoint(p.x() - size.width() / 2, area.bottom() + 1 - size.height());
        break;
    case Edge::left:
        origin = QPoint(area.left(), p.y() - size.height() / 2);
        break;
    case Edge::right:
        origin = QPoint(area.right() + 1 - size.width(), p.y() - size.height() / 2);
        break;
    case Edge::none:
        origin = awayFromPoint(p, size, screen);
        break;
    }
    origin = clampedInto(origin, size, area);
    // A second click on the icon must land on the icon, never on a row.
    if (anchor.point && QRect(origin, size).contains(*anchor.point))
        origin = clampedInto(awayFromPoint(*anchor.point, size, screen), size, area);
    return origin;
}

QPoint popoverPosition(const QRect& iconGeometry, const QPoint& cursor, const QSize& size, const QRect& screen)
{
    return popoverPosition(PopoverAnchor{iconGeometry, std::nullopt}, cursor, size, screen, screen);
}

MenuBarPopover::MenuBarPopover(PopoverFeed feed, bool sandboxed, UserSettings& settings, const Clock& clock,
                               QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
    , m_feed(std::move(feed))
    , m_sandboxed(sandboxed)
    , m_settings(settings)
    , m_clock(clock)
{
    setObjectName(QStringLiteral("popover"));
    setFixedWidth(kWidth);
    QFont base = font();
    base.setPixelSize(11);
    setFont(base);

    auto* layout = new QVBoxLayout(this);
    // Room for the one-pixel frame around everything.
    layout->setContentsMargins(kFrame, kFrame, kFrame, kFrame);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* metrics = new QWidget(this);
    metrics->setObjectName(QStringLiteral("metrics"));
    metrics->setFixedWidth(kWidth - 2 * kFrame);
    auto* metricsLayout = new QVBoxLayout(metrics);
    metricsLayout->setContentsMargins(0, 4, 0, 4);
    metricsLayout->setSpacing(0);
    for (const RowSpec& spec : kRows)
        buildMetricRow(spec.row, QString::fromLatin1(spec.title), spec.trend, metrics);
    m_noMetrics = new QLabel(tr("No metrics selected \u2014 enable some in Settings."), metrics);
    m_noMetrics->setObjectName(QStringLiteral("noMetrics"));
    m_noMetrics->setWordWrap(true);
    m_noMetrics->setContentsMargins(12, 8, 12, 8);
    m_noMetrics->setForegroundRole(QPalette::PlaceholderText);
    metricsLayout->addWidget(m_noMetrics);
    layout->addWidget(metrics);

    m_processDivider = new Divider(1.0, this);
    m_processDivider->setObjectName(QStringLiteral("processDivider"));
    layout->addWidget(m_processDivider);
    m_processSection = new QWidget(this);
    m_processSection->setObjectName(QStringLiteral("topProcesses"));
    auto* processLayout = new QVBoxLayout(m_processSection);
    processLayout->setContentsMargins(0, 0, 0, 8);
    processLayout->setSpacing(2);
    auto* heading = new QLabel(tr("Top processes"), m_processSection);
    heading->setContentsMargins(12, 8, 12, 0);
    heading->setForegroundRole(QPalette::PlaceholderText);
    processLayout->addWidget(heading);
    for (std::size_t i = 0; i < m_processRows.size(); ++i) {
        ProcessRow& row = m_processRows[i];
        row.widget = new QWidget(m_processSection);
        row.widget->setObjectName(QStringLiteral("process.%1").arg(i));
        auto* h = new QHBoxLayout(row.widget);
        h->setContentsMargins(12, 2, 12, 2);
        row.name = new QLabel(row.widget);
        row.name->setObjectName(QStringLiteral("processName"));
        row.name->setTextFormat(Qt::PlainText);
        row.percent = new QLabel(row.widget);
        row.percent->setFont(valueFont(base));
        row.percent->setForegroundRole(QPalette::PlaceholderText);
        h->addWidget(row.name, 1);
        h->addWidget(row.percent);
        processLayout->addWidget(row.widget);
    }
    layout->addWidget(m_processSection);

    layout->addWidget(new Divider(1.0, this));
    auto* footer = new QWidget(this);
    footer->setObjectName(QStringLiteral("footer"));
    auto* footerLayout = new QVBoxLayout(footer);
    footerLayout->setContentsMargins(0, 4, 0, 4);
    footerLayout->setSpacing(0);
    QPushButton* open = footerButton(tr("Open main window"), footer);
    open->setObjectName(QStringLiteral("openMainWindow"));
    QPushButton* settingsButton = footerButton(tr("Settings\u2026"), footer);
    settingsButton->setObjectName(QStringLiteral("openSettings"));
    auto* faint = new Divider(0.5, footer);
    QPushButton* quit = footerButton(tr("Quit Halvorin"), footer);
    quit->setObjectName(QStringLiteral("quit"));
    footerLayout->addWidget(open);
    footerLayout->addWidget(settingsButton);
    footerLayout->addWidget(faint);
    footerLayout->addWidget(quit);
    layout->addWidget(footer);

    // Each action closes the popup first, as a menu would.
    connect(open, &QPushButton::clicked, this, [this] { hide(); Q_EMIT openMainWindowRequested(); });
    connect(settingsButton, &QPushButton::clicked, this, [this] { hide(); Q_EMIT openSettingsRequested(); });
    connect(quit, &QPushButton::clicked, this, [this] { hide(); Q_EMIT quitRequested(); });

    connect(&m_settings, &UserSettings::valueChanged, this, &MenuBarPopover::applySettings);
    applySettings();
}

MenuBarPopover::~MenuBarPopover() = default;

void MenuBarPopover::buildMetricRow(Row which, const QString& title, bool withTrend, QWidget* parent)
{
    MetricRow& row = m_rows[static_cast<std::size_t>(which)];
    row.widget = new QWidget(parent);
    row.widget->setObjectName(QStringLiteral("row.") + title.toLower());
    auto* h = new QHBoxLayout(row.widget);
    h->setContentsMargins(12, 3, 12, 3);
    auto* titleLabel = new QLabel(title, row.widget);
    titleLabel->setFixedWidth(70);
    titleLabel->setForegroundRole(QPalette::PlaceholderText);
    row.value = new QLabel(row.widget);
    row.value->setTextFormat(Qt::PlainText);
    row.value->setFont(valueFont(font()));
    h->addWidget(titleLabel);
    h->addWidget(row.value);
    h->addStretch(1);
    if (withTrend) {
        // Present even below two points; it then draws nothing.
        row.trend = new SparklineView(accentColor(), true, SparklineView::trendName(), row.widget);
        row.trend->setFixedSize(60, 12);
        h->addWidget(row.trend);
    }
    parent->layout()->addWidget(row.widget);
}

QPushButton* MenuBarPopover::footerButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    QColor hover = accentColor();
    hover.setAlphaF(0.15f);
    button->setStyleSheet(QStringLiteral(
        "QPushButton { text-align: left; padding: 5px 12px; border: none; background: transparent; }"
        "QPushButton:hover { background: %1; }").arg(hover.name(QColor::HexArgb)));
    return button;
}

QWidget* MenuBarPopover::row(Row which) const
{
    return m_rows[static_cast<std::size_t>(which)].widget;
}

QLabel* MenuBarPopover::valueLabel(Row which) const
{
    return m_rows[static_cast<std::size_t>(which)].value;
}

bool MenuBarPopover::showsProcesses() const
{
    return !m_sandboxed
        && m_settings.boolValue(QLatin1String(SettingKeys::processesInMenuBar), SettingKeys::processesInMenuBarDefault);
}

void MenuBarPopover::applySettings()
{
    bool any = false;
    for (const RowSpec& spec : kRows) {
        const bool on = m_settings.boolValue(QLatin1String(spec.key), spec.defaultValue);
        m_rows[static_cast<std::size_t>(spec.row)].widget->setHidden(!on);
        any = any || on;
    }
    m_noMetrics->setHidden(any);
    const bool processes = showsProcesses();
    m_processDivider->setHidden(!processes);
    m_processSection->setHidden(!processes);
    refresh();
}

void MenuBarPopover::refresh()
{
    if (isVisible())
        fill();
}

void MenuBarPopover::fill()
{
    if (!m_feed)
        return;
    const PopoverReadings r = m_feed();
    const QPalette& pal = palette();
    const auto set = [&](Row which, const QString& text, PopoverTexts::Tint tint) {
        QLabel* label = valueLabel(which);
        label->setText(text);
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, tintColor(tint, pal));
        label->setPalette(p);
    };
    using PopoverTexts::Tint;
    if (!row(Row::cpu)->isHidden()) {
        set(Row::cpu, PopoverTexts::cpuValue(r.cpu), Tint::primary);
        m_rows[0].trend->setValues(r.cpuTrend);
    }
    if (!row(Row::memory)->isHidden()) {
        set(Row::memory, PopoverTexts::memoryValue(r.memory), PopoverTexts::memoryTint(r.memory));
        m_rows[1].trend->setValues(r.memoryTrend);
    }
    if (!row(Row::disk)->isHidden())
        set(Row::disk, PopoverTexts::diskValue(r.disk), PopoverTexts::diskTint(r.disk));
    if (!row(Row::network)->isHidden())
        set(Row::network, PopoverTexts::networkValue(r.network), Tint::primary);
    if (!row(Row::ip)->isHidden())
        set(Row::ip, PopoverTexts::ipValue(r.network), Tint::primary);
    if (!row(Row::audio)->isHidden())
        set(Row::audio, oneLine(PopoverTexts::audioSummary(r.audio)), Tint::primary);

    if (!m_processSection->isHidden()) {
        const auto& top = r.cpu.topProcesses;
        for (std::size_t i = 0; i < m_processRows.size(); ++i) {
            ProcessRow& row = m_processRows[i];
            const bool present = static_cast<qsizetype>(i) < top.size();
            row.widget->setHidden(!present);
            if (present) {
                row.name->setText(oneLine(top.at(static_cast<qsizetype>(i)).name));
                row.percent->setText(PopoverTexts::processPercent(top.at(static_cast<qsizetype>(i))));
            }
        }
    }
}

void MenuBarPopover::showAt(const PopoverAnchor& anchor)
{
    const QPoint cursor = QCursor::pos();
    QScreen* screen = nullptr;
    if (anchor.iconGeometry.isValid() && !anchor.iconGeometry.isEmpty())
        screen = QGuiApplication::screenAt(anchor.iconGeometry.center());
    if (!screen && anchor.point)
        screen = QGuiApplication::screenAt(*anchor.point);
    if (!screen)
        screen = QGuiApplication::screenAt(cursor);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    // Its rows decide its height: filled first, or the popup is placed from
    // the size of the rows it had last time and overlaps the panel.
    fill();
    adjustSize();
    const QRect whole = screen ? screen->geometry() : QRect(0, 0, 1920, 1080);
    const QRect available = screen ? screen->availableGeometry() : whole;
    move(popoverPosition(anchor, cursor, sizeHint(), whole, available));
    show();
    raise();
    activateWindow();
}

void MenuBarPopover::toggle(const PopoverAnchor& anchor)
{
    if (isVisible()) {
        hide();
        return;
    }
    if (m_hiddenAt && m_clock.monotonic() - *m_hiddenAt < kReopenGuard)
        return;
    showAt(anchor);
}

void MenuBarPopover::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
}

void MenuBarPopover::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_hiddenAt = m_clock.monotonic();
}

void MenuBarPopover::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // A popup has no window-manager border: its own frame sets it off from
    // whatever lies behind, in the theme's separator tone.
    QPainter painter(this);
    painter.setPen(QPen(withAlpha(palettePrimary(), 0.25), kFrame));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

bool MenuBarPopover::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate && isVisible())
        hide();
    return QWidget::event(event);
}

} // namespace Dunmorra
