#include "tabs/AudioTab.h"

#include "components/Card.h"
#include "components/Conversions.h"
#include "components/Divider.h"
#include "components/ElidedLabel.h"
#include "components/KeyedRows.h"
#include "components/Palette.h"
#include "components/Symbols.h"
#include "components/ThinBar.h"
#include "model/AudioProvider.h"
#include "platform/NumberText.h"
#include "tabs/PagePieces.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

namespace Dunmorra {

using Device = AudioSnapshot::Device;
using Kind = Device::TransportKind;

namespace {

QString upperTitle(const QString& text)
{
    return QLocale().toUpper(text);
}

// The "Default" mark: the app accent on a faint capsule of the desktop's accent.
class DefaultBadge : public TextLabel {
public:
    DefaultBadge()
        : TextLabel(AudioTab::tr("Default"), Fonts::caption())
    {
        setObjectName(QStringLiteral("defaultBadge"));
        setColor(accentColor());
        setContentsMargins(6, 2, 6, 2);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        {
            QPainter p(this);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(withAlpha(platformAccentColor(), 0.15));
            const qreal radius = height() / 2.0;
            p.drawRoundedRect(QRectF(rect()), radius, radius);
        }
        TextLabel::paintEvent(event);
    }
};

} // namespace

// The card of a default device: header, divider, and its facts in a grid.
class AudioDeviceCard : public Card {
public:
    explicit AudioDeviceCard(const QString& title)
    {
        auto* content = new QWidget;
        auto* stack = PagePieces::stack(content, 12);
        stack->setContentsMargins(4, 4, 4, 4);

        auto* header = PagePieces::row(10);
        m_symbol = new SymbolView(QStringLiteral("speaker.wave.2"), 16, accentColor(), nullptr, 22);
        m_symbol->setObjectName(QStringLiteral("transportSymbol"));
        header->addWidget(m_symbol, 0, Qt::AlignVCenter);
        auto* names = PagePieces::stack(2);
        auto* titleLabel = new TextLabel(upperTitle(title), Fonts::caption(), Tone::Secondary);
        titleLabel->setObjectName(QStringLiteral("deviceCardTitle"));
        names->addWidget(titleLabel);
        m_name = new ElidedLabel(QString(), Fonts::value());
        m_name->setObjectName(QStringLiteral("deviceName"));
        names->addWidget(m_name);
        header->addLayout(names, 1);
        m_muted = new SymbolView(QStringLiteral("speaker.slash.fill"), 14, paletteRed());
        m_muted->setObjectName(QStringLiteral("mutedSymbol"));
        header->addWidget(m_muted, 0, Qt::AlignVCenter);
        stack->addLayout(header);
        stack->addWidget(new Divider(1.0));

        auto* grid = new QGridLayout;
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setHorizontalSpacing(16);
        grid->setVerticalSpacing(5);
        const auto label = [](const QString& text) {
            return new TextLabel(text, Fonts::caption(), Tone::Secondary);
        };
        const auto value = [](const char* name) {
            auto* v = new TextLabel(QString(), Fonts::value());
            v->setObjectName(QLatin1String(name));
            return v;
        };
        m_volumeLabel = label(AudioTab::tr("Volume"));
        m_volumeValue = new QWidget;
        auto* volumeRow = PagePieces::row(8);
        m_volumeBar = new ThinBar(accentColor());
        m_volumeBar->setObjectName(QStringLiteral("volumeBar"));
        m_volumeBar->setTrackColor(quaternaryFill());
        m_volumeBar->setFillOpacity(1.0);
        m_volumeBar->setFixedWidth(80);
        m_volumeText = value("volumeText");
        // As wide as the widest text it shows in this language ("Muted" in
        // some, three digits in others), so neither is ever cut.
        m_volumeText->holdSizeFor(QStringList{AudioTab::tr("Muted")} << PagePieces::widestWholePercents()
                                                                      << PagePieces::wholePercent(188));
        m_volumeText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        volumeRow->addWidget(m_volumeBar, 0, Qt::AlignVCenter);
        volumeRow->addWidget(m_volumeText, 0, Qt::AlignVCenter);
        m_volumeValue->setLayout(volumeRow);
        grid->addWidget(m_volumeLabel, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addWidget(m_volumeValue, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
        m_sampleRate = value("sampleRate");
        m_channels = value("channels");
        m_connection = value("connection");
        int row = 1;
        for (auto [title, widget] : {std::pair{AudioTab::tr("Sample Rate"), m_sampleRate},
                                     std::pair{AudioTab::tr("Channels"), m_channels},
                                     std::pair{AudioTab::tr("Connection"), m_connection}}) {
            grid->addWidget(label(title), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
            grid->addWidget(widget, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
            ++row;
        }
        grid->setColumnStretch(2, 1);
        stack->addLayout(grid);
        setContent(content);
    }

    void update(const Device& device)
    {
        m_symbol->setSymbol(AudioTab::transportSymbol(device.transport));
        m_name->setTextIfChanged(device.name);
        m_muted->setVisible(device.isMuted);
        const bool hasVolume = device.volume >= 0;
        m_volumeLabel->setVisible(hasVolume);
        m_volumeValue->setVisible(hasVolume);
        if (hasVolume) {
            m_volumeBar->setColor(device.isMuted ? paletteRed() : accentColor());
            m_volumeBar->setFraction(std::clamp(static_cast<double>(device.volume), 0.0, 1.0));
            m_volumeText->setTextIfChanged(device.isMuted ? AudioTab::tr("Muted") : AudioTab::volumePercent(device.volume));
        }
        m_sampleRate->setTextIfChanged(AudioTab::formatSampleRate(device.sampleRate));
        m_channels->setTextIfChanged(AudioTab::channelLabel(device.channelCount));
        m_connection->setTextIfChanged(transportLabel(device.transport));
    }

private:
    SymbolView* m_symbol;
    ElidedLabel* m_name;
    SymbolView* m_muted;
    TextLabel* m_volumeLabel;
    QWidget* m_volumeValue;
    ThinBar* m_volumeBar;
    TextLabel* m_volumeText;
    TextLabel* m_sampleRate;
    TextLabel* m_channels;
    TextLabel* m_connection;
};

// One application using audio; a faint divider above every row but the first.
class AudioProcessRow : public QWidget {
public:
    AudioProcessRow()
    {
        auto* stack = PagePieces::stack(this, 0);
        m_divider = new Divider(0.4);
        stack->addWidget(m_divider);
        auto* line = PagePieces::row(12);
        line->setContentsMargins(0, 8, 0, 8);
        m_icon = new IconSlot;
        line->addWidget(m_icon, 0, Qt::AlignVCenter);
        m_name = new ElidedLabel(QString(), Fonts::value());
        m_name->setObjectName(QStringLiteral("processName"));
        line->addWidget(m_name, 1);
        auto* marks = PagePieces::row(10);
        m_mic = new SymbolView(QStringLiteral("mic.fill"), 11, paletteOrange());
        m_mic->setObjectName(QStringLiteral("micMark"));
        m_mic->setAccessibleName(AudioTab::tr("Mic"));
        m_playback = new SymbolView(QStringLiteral("speaker.wave.2.fill"), 11, paletteBlue());
        m_playback->setObjectName(QStringLiteral("playbackMark"));
        m_playback->setAccessibleName(AudioTab::tr("Playback"));
        marks->addWidget(m_mic, 0, Qt::AlignVCenter);
        marks->addWidget(m_playback, 0, Qt::AlignVCenter);
        line->addLayout(marks);
        stack->addLayout(line);
    }

    void update(const AudioSnapshot::AudioProcess& process, int index, const ApplicationIconLookup& icons)
    {
        setObjectName(QStringLiteral("audioProcess:") + process.id);
        m_divider->setVisible(index > 0);
        m_name->setTextIfChanged(process.name);
        m_mic->setVisible(process.usesInput);
        m_playback->setVisible(process.usesOutput);
        // The lookup may walk the process table; a row whose stream still
        // names the same process and application keeps the icon it found.
        const QString iconKey = (process.pid ? QString::number(*process.pid) : QString()) + QLatin1Char('|')
            + process.bundleID.value_or(QString()) + QLatin1Char('|') + process.iconName;
        if (iconKey != m_iconKey) {
            m_iconKey = iconKey;
            m_icon->setIcon(applicationIcon(process, icons));
        }
    }

    QWidget* icon() const { return m_icon; }

private:
    // 28 x 28: the application's icon scaled to fit, or the dashed app symbol.
    class IconSlot : public QWidget {
    public:
        IconSlot()
        {
            setFixedSize(28, 28);
            setObjectName(QStringLiteral("processIcon"));
            setProperty("symbol", QStringLiteral("app.dashed"));
        }
        void setIcon(const QIcon& icon)
        {
            m_icon = icon;
            setProperty("symbol", icon.isNull() ? QStringLiteral("app.dashed") : QString());
            QWidget::update();
        }

    protected:
        void paintEvent(QPaintEvent*) override
        {
            QPainter p(this);
            if (!m_icon.isNull()) {
                m_icon.paint(&p, rect(), Qt::AlignCenter);
                return;
            }
            const QPixmap pm = symbolPixmap(QStringLiteral("app.dashed"), 20, secondaryText(), devicePixelRatioF());
            p.drawPixmap(QPoint(4, 4), pm);
        }

    private:
        QIcon m_icon;
    };

    Divider* m_divider;
    IconSlot* m_icon;
    QString m_iconKey{QStringLiteral("\n")}; // matches no stream, so the first update looks up
    ElidedLabel* m_name;
    SymbolView* m_mic;
    SymbolView* m_playback;
};

// One device of the "Available Devices" list.
class AudioDeviceRow : public QWidget {
public:
    AudioDeviceRow()
    {
        auto* line = PagePieces::row(10);
        line->setContentsMargins(0, 3, 0, 3);
        m_symbol = new SymbolView(QStringLiteral("speaker.wave.2"), 12, secondaryText(), nullptr, 18);
        m_symbol->setObjectName(QStringLiteral("transportSymbol"));
        line->addWidget(m_symbol, 0, Qt::AlignVCenter);
        m_name = new ElidedLabel(QString(), Fonts::value());
        m_name->setObjectName(QStringLiteral("deviceName"));
        line->addWidget(m_name, 0, Qt::AlignVCenter);
        m_badge = new DefaultBadge;
        line->addWidget(m_badge, 0, Qt::AlignVCenter);
        line->addStretch(1);
        m_rate = new TextLabel(QString(), Fonts::caption(), Tone::Secondary);
        m_rate->setObjectName(QStringLiteral("sampleRate"));
        line->addWidget(m_rate, 0, Qt::AlignVCenter);
        setLayout(line);
    }

    void update(const Device& device, bool isDefault)
    {
        setObjectName(QStringLiteral("device:%1").arg(device.id));
        m_symbol->setSymbol(AudioTab::transportSymbol(device.transport));
        m_symbol->setColor(isDefault ? platformAccentColor() : secondaryText());
        m_name->setTextIfChanged(device.name);
        m_badge->setVisible(isDefault);
        m_rate->setTextIfChanged(AudioTab::formatSampleRate(device.sampleRate));
    }

private:
    SymbolView* m_symbol;
    ElidedLabel* m_name;
    DefaultBadge* m_badge;
    TextLabel* m_rate;
};

AudioTab::AudioTab(AudioProvider& audio, QWidget* parent)
    : AudioTab(audio, ApplicationIconLookup::system(), parent)
{
}

AudioTab::AudioTab(AudioProvider& audio, ApplicationIconLookup icons, QWidget* parent)
    : TabPage(parent)
    , m_audio(audio)
    , m_icons(std::move(icons))
{
    setObjectName(QStringLiteral("tab.audio"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_cardRow = cardRow();
    m_outputCard = new AudioDeviceCard(tr("Output"));
    m_outputCard->setObjectName(QStringLiteral("outputCard"));
    m_inputCard = new AudioDeviceCard(tr("Input"));
    m_inputCard->setObjectName(QStringLiteral("inputCard"));
    for (AudioDeviceCard* card : {m_outputCard, m_inputCard}) {
        shareRowWidth(card);
        m_cardRow->addWidget(card, 1, Qt::AlignTop);
        card->hide();
    }
    stack()->addLayout(m_cardRow);
    stack()->addWidget(buildProcessSection());
    stack()->addWidget(buildDeviceList());

    connect(&m_audio, &AudioProvider::currentChanged, this, &AudioTab::refresh);
    refresh();
}

AudioTab::~AudioTab() = default;

QWidget* AudioTab::buildProcessSection()
{
    auto* host = new QWidget;
    auto* outer = PagePieces::stack(host, 0);

    m_processSection = new QWidget;
    m_processSection->setObjectName(QStringLiteral("usingAudioNow"));
    auto* stack = PagePieces::stack(m_processSection, 8);
    TextLabel* heading = PagePieces::sectionTitle(tr("Using Audio Now"));
    heading->setContentsMargins(2, 0, 0, 0);
    stack->addWidget(heading);
    auto* rows = new QWidget;
    m_processLayout = PagePieces::stack(rows, 0);
    m_processRows = std::make_unique<KeyedRows<QString, AudioProcessRow>>(m_processLayout);
    stack->addWidget(new Card(rows, nullptr));
    outer->addWidget(m_processSection);

    auto* empty = new QWidget;
    auto* emptyRow = PagePieces::row(12);
    emptyRow->setContentsMargins(4, 4, 4, 4);
    emptyRow->addWidget(new SymbolView(QStringLiteral("speaker.slash"), 20, secondaryText()), 0, Qt::AlignVCenter);
    auto* emptyText = new TextLabel(tr("No apps are currently playing audio or using the microphone."), Fonts::caption(),
                                    Tone::Secondary);
    emptyText->setObjectName(QStringLiteral("noProcesses"));
    emptyRow->addWidget(emptyText, 1, Qt::AlignVCenter);
    empty->setLayout(emptyRow);
    m_noProcessesCard = new Card(empty, nullptr);
    m_noProcessesCard->setObjectName(QStringLiteral("noProcessesCard"));
    outer->addWidget(m_noProcessesCard);
    return host;
}

QWidget* AudioTab::buildDeviceList()
{
    auto* section = new QWidget;
    section->setObjectName(QStringLiteral("availableDevices"));
    auto* stack = PagePieces::stack(section, 8);
    TextLabel* heading = PagePieces::sectionTitle(tr("Available Devices"));
    heading->setContentsMargins(2, 0, 0, 0);
    stack->addWidget(heading);

    auto* content = new QWidget;
    auto* list = PagePieces::stack(content, 0);
    list->setContentsMargins(4, 4, 4, 4);
    const auto makeSection = [&](const QString& title, const char* name,
                                 std::unique_ptr<KeyedRows<std::uint32_t, AudioDeviceRow>>& rows) {
        auto* part = new QWidget;
        part->setObjectName(QLatin1String(name));
        auto* partStack = PagePieces::stack(part, 4);
        auto* titleLabel = new TextLabel(upperTitle(title), Fonts::caption(), Tone::Secondary);
        titleLabel->setContentsMargins(0, 0, 0, 2);
        partStack->addWidget(titleLabel);
        rows = std::make_unique<KeyedRows<std::uint32_t, AudioDeviceRow>>(partStack, 1);
        part->hide();
        return part;
    };
    m_outputSection = makeSection(tr("Output"), "outputDevices", m_outputRows);
    list->addWidget(m_outputSection);
    m_sectionDivider = new QWidget;
    auto* dividerStack = PagePieces::stack(m_sectionDivider, 0);
    dividerStack->setContentsMargins(0, 4, 0, 4);
    dividerStack->addWidget(new Divider(0.4));
    m_sectionDivider->hide();
    list->addWidget(m_sectionDivider);
    m_inputSection = makeSection(tr("Input"), "inputDevices", m_inputRows);
    list->addWidget(m_inputSection);
    stack->addWidget(new Card(content, nullptr));
    return section;
}

QString AudioTab::formatSampleRate(double hertz)
{
    if (!(hertz > 0))
        return QStringLiteral("\u2014");
    if (hertz >= 1000)
        return fixedPointText(hertz / 1000, 1) + QStringLiteral(" kHz");
    return fixedPointText(hertz, 0) + QStringLiteral(" Hz");
}

QString AudioTab::channelLabel(std::int64_t channels)
{
    switch (channels) {
    case 0: return QStringLiteral("\u2014");
    case 1: return tr("Mono");
    case 2: return tr("Stereo");
    default: return QString::number(channels) + QStringLiteral(" ch");
    }
}

QString AudioTab::transportSymbol(Kind kind)
{
    switch (kind) {
    case Kind::builtIn: return QStringLiteral("hifispeaker.fill");
    case Kind::usb: return QStringLiteral("cable.connector");
    case Kind::bluetooth:
    case Kind::bluetoothLE: return QStringLiteral("headphones");
    case Kind::airPlay: return QStringLiteral("airplayvideo");
    case Kind::hdmi:
    case Kind::displayPort: return QStringLiteral("display");
    case Kind::thunderbolt: return QStringLiteral("bolt");
    case Kind::virtual_:
    case Kind::unknown: break;
    }
    return QStringLiteral("speaker.wave.2");
}

QString AudioTab::volumePercent(float volume)
{
    return PagePieces::wholePercent(static_cast<double>(wholeVolumePercent(volume).value_or(0)));
}

void AudioTab::refresh()
{
    const AudioSnapshot& now = m_audio.current();

    m_outputCard->setVisible(now.defaultOutput.has_value());
    if (now.defaultOutput)
        m_outputCard->update(*now.defaultOutput);
    m_inputCard->setVisible(now.defaultInput.has_value());
    if (now.defaultInput)
        m_inputCard->update(*now.defaultInput);

    const bool anyProcess = !now.activeProcesses.isEmpty();
    m_processRows->sync(
        now.activeProcesses, [](const AudioSnapshot::AudioProcess& p) { return p.id; },
        [](const AudioSnapshot::AudioProcess&) { return new AudioProcessRow; },
        [this](AudioProcessRow& row, const AudioSnapshot::AudioProcess& p, int index) { row.update(p, index, m_icons); });
    m_processSection->setVisible(anyProcess);
    m_noProcessesCard->setVisible(!anyProcess);

    const auto syncDevices = [](KeyedRows<std::uint32_t, AudioDeviceRow>& rows, const QList<Device>& devices,
                                const std::optional<Device>& defaultDevice) {
        const std::optional<std::uint32_t> defaultId =
            defaultDevice ? std::optional<std::uint32_t>(defaultDevice->id) : std::nullopt;
        rows.sync(
            devices, [](const Device& d) { return d.id; }, [](const Device&) { return new AudioDeviceRow; },
            [defaultId](AudioDeviceRow& row, const Device& d, int) { row.update(d, defaultId && *defaultId == d.id); });
    };
    syncDevices(*m_outputRows, now.allOutputDevices, now.defaultOutput);
    syncDevices(*m_inputRows, now.allInputDevices, now.defaultInput);
    m_outputSection->setVisible(!now.allOutputDevices.isEmpty());
    m_inputSection->setVisible(!now.allInputDevices.isEmpty());
    m_sectionDivider->setVisible(!now.allOutputDevices.isEmpty() && !now.allInputDevices.isEmpty());
    arrangeDeviceCards();
}

void AudioTab::resizeEvent(QResizeEvent* event)
{
    TabPage::resizeEvent(event);
    arrangeDeviceCards();
}

void AudioTab::arrangeDeviceCards()
{
    // Side by side while both hold their captions and figures whole; one
    // above the other where the page is narrower than that (a small window,
    // a language with long captions).
    const QMargins margins = stack()->contentsMargins();
    const int width = viewport()->width() - margins.left() - margins.right();
    const int needed = m_outputCard->minimumSizeHint().width() + m_cardRow->spacing()
        + m_inputCard->minimumSizeHint().width();
    const auto direction = width >= needed ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (m_cardRow->direction() != direction)
        m_cardRow->setDirection(direction);
}

} // namespace Dunmorra
