#include "components/Symbols.h"

#include "components/Typography.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHash>
#include <QPainter>
#include <QPixmapCache>
#include <QStandardPaths>

// Q_INIT_RESOURCE must be used outside a namespace; referencing it here also
// keeps the linker from dropping the static library's resource object.
static void initSymbolResources()
{
    Q_INIT_RESOURCE(halvorin_icons);
}

namespace Dunmorra {

namespace {

struct Entry {
    const char* symbol;
    const char* theme;   // freedesktop icon name, or nullptr
    bool ownSvg;         // a drawing of ours under :/icons/<symbol>.svg
};

// Theme names are symbolic icons of the freedesktop naming scheme; where the
// theme has nothing that reads right the project draws its own.
constexpr Entry kSymbols[] = {
    {"cpu", nullptr, true},
    {"memorychip", nullptr, true},
    {"chart.xyaxis.line", nullptr, true},
    {"arrow.down.circle", nullptr, true},
    {"arrow.up.circle", nullptr, true},
    {"app.dashed", nullptr, true},
    {"bolt", nullptr, true},
    {"cable.connector", nullptr, true},
    {"airplayvideo", nullptr, true},
    {"chart.bar", nullptr, true},
    {"square.grid.2x2", nullptr, true},
    {"gauge.medium", nullptr, true},
    {"lock.shield.fill", "security-high-symbolic", false},
    {"lock.shield", "security-medium-symbolic", false},
    {"internaldrive", "drive-harddisk-symbolic", false},
    {"hifispeaker.fill", "audio-speakers-symbolic", false},
    {"headphones", "audio-headphones-symbolic", false},
    {"display", "video-display-symbolic", false},
    {"speaker.wave.2", "audio-volume-medium-symbolic", false},
    {"speaker.wave.2.fill", "audio-volume-high-symbolic", false},
    {"speaker.slash", "audio-volume-muted-symbolic", false},
    {"speaker.slash.fill", "audio-volume-muted-symbolic", false},
    {"mic.fill", "audio-input-microphone-symbolic", false},
    {"wifi", "network-wireless-symbolic", false},
    {"wifi.slash", "network-wireless-offline-symbolic", false},
    {"antenna.radiowaves.left.and.right", "network-cellular-signal-excellent-symbolic", false},
    {"network", "network-workgroup-symbolic", false},
    {"folder", "folder-symbolic", false},
    {"folder.fill", "folder-symbolic", false},
    {"checkmark.circle.fill", nullptr, true}, // themes draw a bare check
    {"exclamationmark.triangle.fill", "dialog-warning-symbolic", false},
    {"bell.fill", "preferences-system-notifications-symbolic", false},
    {"bell.slash.fill", "notifications-disabled-symbolic", false},
    {"arrow.clockwise", "view-refresh-symbolic", false},
    {"chevron.left", "go-previous-symbolic", false},
    {"chevron.right", "go-next-symbolic", false},
    {"gearshape", "emblem-system-symbolic", false},
    {"battery.100percent", "battery-level-100-symbolic", false},
    {"battery.75percent", "battery-level-70-symbolic", false},
    {"battery.50percent", "battery-level-50-symbolic", false},
    {"battery.25percent", "battery-level-20-symbolic", false},
    {"battery.100percent.bolt", "battery-level-100-charged-symbolic", false},
    {"battery.slash", "battery-missing-symbolic", false},
    {"powerplug", nullptr, true}, // themes draw a battery with a bolt
    {"rectangle.topthird.inset.filled", "system-run-symbolic", false},
    {"globe", "preferences-desktop-locale-symbolic", false},
    {"waveform", "audio-x-generic-symbolic", false},
    {"list.number", "view-list-ordered-symbolic", false},
    {"calendar", "x-office-calendar-symbolic", false},
    {"info.circle.fill", "help-about-symbolic", false},
    {"laptopcomputer", "computer-symbolic", false},
    {"number", nullptr, true},
    {"wifi.circle", nullptr, true},
    {"location.slash", "location-services-disabled-symbolic", false},
    {"arrow.down.doc", "document-save-symbolic", false},
    {"arrow.right.circle", nullptr, true},
    {"folder.badge.questionmark", nullptr, true},
    {"house.fill", "user-home-symbolic", false},
    {"doc.fill", "text-x-generic-symbolic", false},
    {"doc.on.clipboard", "edit-copy-symbolic", false},
    {"arrow.up", "go-up-symbolic", false},
    {"eye", "view-reveal-symbolic", false},
    {"eye.slash", "view-conceal-symbolic", false},
    {"bolt.fill", nullptr, true},
    {"square.fill", nullptr, true},
    {"square", nullptr, true},
    {"waveform.slash", nullptr, true},
    {"waveform.badge.mic", nullptr, true},
    {"clock.badge.questionmark", nullptr, true},
    {"chevron.down", "pan-down-symbolic", false},
    {"checkmark", "object-select-symbolic", false},
    {"arrow.down", "go-down-symbolic", false},
    {"circle.fill", "media-record-symbolic", false},
};

const Entry* find(const QString& symbol)
{
    for (const Entry& e : kSymbols) {
        if (symbol == QLatin1String(e.symbol))
            return &e;
    }
    return nullptr;
}

void ensureSetUp()
{
    static const bool done = [] {
        initSymbolResources();
        // Platform plugins without a desktop theme (offscreen, minimal) search
        // only the resource tree; add the XDG icon folders they leave out.
        QStringList paths = QIcon::themeSearchPaths();
        const QStringList dataIcons = QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"), QStandardPaths::LocateDirectory);
        for (const QString& dir : dataIcons) {
            if (!paths.contains(dir))
                paths << dir;
        }
        QIcon::setThemeSearchPaths(paths);
        // The desktop's own theme wins; Adwaita (a declared dependency) fills the gaps.
        if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == QLatin1String("hicolor"))
            QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        if (QIcon::themeName().isEmpty())
            QIcon::setThemeName(QStringLiteral("Adwaita"));
        return true;
    }();
    (void)done;
}

QString ownPath(const char* symbol)
{
    return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(symbol));
}

} // namespace

QStringList knownSymbols()
{
    QStringList out;
    for (const Entry& e : kSymbols)
        out << QLatin1String(e.symbol);
    return out;
}

QString symbolSource(const QString& symbol)
{
    const Entry* e = find(symbol);
    if (!e)
        return {};
    if (e->theme)
        return QStringLiteral("theme:") + QLatin1String(e->theme);
    return QStringLiteral("qrc:") + ownPath(e->symbol);
}

QIcon symbolIcon(const QString& symbol)
{
    ensureSetUp();
    const Entry* e = find(symbol);
    if (!e)
        return {};
    if (e->theme) {
        const QIcon icon = QIcon::fromTheme(QLatin1String(e->theme));
        if (!icon.isNull() || !e->ownSvg)
            return icon;
    }
    return QIcon(ownPath(e->symbol));
}

QPixmap symbolPixmap(const QString& symbol, int size, const QColor& color, qreal devicePixelRatio)
{
    const QString key = QStringLiteral("sym:%1:%2:%3:%4").arg(symbol).arg(size).arg(color.rgba(), 0, 16).arg(devicePixelRatio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;

    const QIcon icon = symbolIcon(symbol);
    const int px = qMax(1, qRound(size * devicePixelRatio));
    QImage image(px, px, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        icon.paint(&p, QRect(0, 0, px, px));
        // Keep the icon's shape, take the requested colour.
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(image.rect(), color);
    }
    QPixmap out = QPixmap::fromImage(image);
    out.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, out);
    return out;
}

SymbolView::SymbolView(const QString& symbol, int size, const QColor& color, QWidget* parent, int frameWidth)
    : QWidget(parent)
    , m_symbol(symbol)
    , m_size(size)
    , m_color(color)
    , m_frameWidth(frameWidth)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(symbol);
}

void SymbolView::setSymbol(const QString& symbol)
{
    if (m_symbol == symbol)
        return;
    m_symbol = symbol;
    update();
}

void SymbolView::setColor(const QColor& color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

QSize SymbolView::sizeHint() const
{
    return QSize(qMax(m_size, m_frameWidth), m_size);
}

void SymbolView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPixmap pm = symbolPixmap(m_symbol, m_size, m_color, devicePixelRatioF());
    const QSize logical = pm.deviceIndependentSize().toSize();
    const QPoint topLeft((width() - logical.width()) / 2, (height() - logical.height()) / 2);
    p.drawPixmap(topLeft, pm);
}

IconLabel::IconLabel(const QString& symbol, const QString& text, const QFont& font, const QColor& color, QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    const int glyph = qMax(10, font.pixelSize() > 0 ? font.pixelSize() : 13);
    m_symbol = new SymbolView(symbol, glyph, color, this);
    m_label = new TextLabel(text, font, Tone::Primary, this);
    m_label->setColor(color);
    row->addWidget(m_symbol);
    row->addWidget(m_label);
    row->addStretch(1);
    setAccessibleName(text);
}

} // namespace Dunmorra
