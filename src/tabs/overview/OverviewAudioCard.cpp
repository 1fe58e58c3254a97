#include "tabs/overview/OverviewAudioCard.h"

#include "components/Card.h"
#include "components/Divider.h"
#include "components/ElidedLabel.h"
#include "components/WrappingLabel.h"
#include "components/Palette.h"
#include "components/Symbols.h"
#include "model/AudioProvider.h"
#include "tabs/AudioTab.h"
#include "tabs/PagePieces.h"
#include "tabs/overview/OverviewPieces.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {

constexpr qreal kPulse[] = {1.0, 0.8, 0.55, 0.8};

TextLabel* columnCaption(const QString& text)
{
    return new TextLabel(text, figureFont(9, QFont::DemiBold), Tone::Tertiary);
}

ElidedLabel* columnValue(const char* name)
{
    auto* label = new ElidedLabel(QString(), figureFont(14, QFont::Medium));
    label->setObjectName(QLatin1String(name));
    return label;
}

QWidget* audioColumn(SymbolView* symbol, QLayout* texts, QWidget* trailing = nullptr)
{
    auto* column = new QWidget;
    auto* row = PagePieces::row(10);
    row->addWidget(symbol, 0, Qt::AlignVCenter);
    row->addLayout(texts, 0);
    if (trailing)
        row->addWidget(trailing, 0, Qt::AlignVCenter);
    row->addStretch(1);
    column->setLayout(row);
    column->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    column->setMinimumWidth(60);
    return column;
}

Divider* columnDivider()
{
    return Divider::vertical(34);
}

} // namespace

OverviewAudioCard::OverviewAudioCard(AudioProvider& audio, QWidget* parent)
    : QWidget(parent)
    , m_audio(audio)
{
    setObjectName(QStringLiteral("audioCard"));
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 0);

    m_note = new QWidget;
    m_note->setObjectName(QStringLiteral("audioHistoryNote"));
    auto* note = PagePieces::row(10);
    note->setContentsMargins(0, 6, 0, 6);
    note->addWidget(new SymbolView(QStringLiteral("waveform.slash"), 13, tertiaryText()), 0, Qt::AlignVCenter);
    note->addWidget(new TextLabel(tr("Audio activity is not recorded in history"), Fonts::caption(), Tone::Tertiary), 0,
                    Qt::AlignVCenter);
    note->addStretch(1);
    m_note->setLayout(note);
    stack->addWidget(m_note);
    m_live = buildLiveRow();
    stack->addWidget(m_live);

    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("audioCardFrame"));
    PagePieces::stack(this, 0)->addWidget(card);

    m_pulse.setInterval(300);
    connect(&m_pulse, &QTimer::timeout, this, [this] {
        m_pulseStep = (m_pulseStep + 1) % static_cast<int>(std::size(kPulse));
        m_appsSymbol->setColor(withAlpha(paletteGreen(), kPulse[m_pulseStep]));
    });
    connect(&m_audio, &AudioProvider::currentChanged, this, &OverviewAudioCard::refresh);
    refresh();
}

QWidget* OverviewAudioCard::buildLiveRow()
{
    auto* host = new QWidget;
    host->setObjectName(QStringLiteral("liveAudioRow"));
    auto* row = PagePieces::row(0);
    row->setContentsMargins(0, 2, 0, 2);

    m_outputSymbol = new SymbolView(QStringLiteral("speaker.slash.fill"), 14, accentColor(), nullptr, 20);
    m_outputSymbol->setObjectName(QStringLiteral("outputSymbol"));
    auto* output = PagePieces::stack(2);
    output->addWidget(columnCaption(tr("OUTPUT")));
    m_outputName = columnValue("outputName");
    output->addWidget(m_outputName);
    m_volume = new TextLabel(QString(), figureFont(11, QFont::Medium), Tone::Secondary);
    m_volume->setObjectName(QStringLiteral("outputVolume"));
    m_volume->setContentsMargins(4, 0, 0, 0);

    m_inputSymbol = new SymbolView(QStringLiteral("mic.fill"), 14, secondaryText(), nullptr, 20);
    m_inputSymbol->setObjectName(QStringLiteral("inputSymbol"));
    auto* input = PagePieces::stack(2);
    input->addWidget(columnCaption(tr("INPUT")));
    m_inputName = columnValue("inputName");
    input->addWidget(m_inputName);

    m_appsSymbol = new SymbolView(QStringLiteral("waveform"), 14, secondaryText(), nullptr, 20);
    m_appsSymbol->setObjectName(QStringLiteral("appsSymbol"));
    auto* apps = PagePieces::stack(2);
    apps->addWidget(columnCaption(tr("ACTIVE")));
    m_apps = columnValue("activeApps");
    apps->addWidget(m_apps);
    // The fixed texts ("No audio at this moment.") break onto a second line
    // in a narrow card; names stay on one.
    m_appsNote = new WrappingLabel(QString(), figureFont(14, QFont::Medium), Tone::Tertiary);
    m_appsNote->setObjectName(QStringLiteral("activeAppsNote"));
    apps->addWidget(m_appsNote);

    for (QWidget* piece : {audioColumn(m_outputSymbol, output, m_volume), static_cast<QWidget*>(columnDivider()),
                           audioColumn(m_inputSymbol, input), static_cast<QWidget*>(columnDivider()),
                           audioColumn(m_appsSymbol, apps)}) {
        const bool divider = qobject_cast<Divider*>(piece) != nullptr;
        if (divider) {
            row->addSpacing(16);
            row->addWidget(piece, 0, Qt::AlignVCenter);
            row->addSpacing(16);
        } else {
            row->addWidget(piece, 1);
        }
    }
    host->setLayout(row);
    return host;
}

void OverviewAudioCard::showRecordedNote(bool recorded)
{
    m_recorded = recorded;
    refresh();
}

QString OverviewAudioCard::outputSymbol(const std::optional<AudioSnapshot::Device>& output)
{
    if (!output || output->isMuted)
        return QStringLiteral("speaker.slash.fill");
    return AudioTab::transportSymbol(output->transport);
}

std::optional<QString> OverviewAudioCard::volumeText(const std::optional<AudioSnapshot::Device>& output)
{
    if (!output || !(output->volume >= 0))
        return std::nullopt;
    if (output->isMuted)
        return tr("Muted");
    return AudioTab::volumePercent(output->volume);
}

QString OverviewAudioCard::appsText(const QList<AudioSnapshot::AudioProcess>& processes)
{
    switch (processes.size()) {
    case 0: return tr("No audio at this moment.");
    case 1: return OverviewPieces::shownName(processes[0].name);
    case 2:
        return OverviewPieces::shownName(processes[0].name) + QStringLiteral(" \u00B7 ")
            + OverviewPieces::shownName(processes[1].name);
    default: return tr("%1 apps using audio").arg(processes.size());
    }
}

void OverviewAudioCard::refresh()
{
    m_note->setVisible(m_recorded);
    m_live->setVisible(!m_recorded);
    if (m_recorded) {
        m_pulse.stop();
        return;
    }
    const AudioSnapshot& now = m_audio.current();
    const bool muted = now.defaultOutput && now.defaultOutput->isMuted;
    m_outputSymbol->setSymbol(outputSymbol(now.defaultOutput));
    m_outputSymbol->setColor(muted ? paletteRed() : accentColor());
    m_outputName->setTextIfChanged(now.defaultOutput ? OverviewPieces::shownName(now.defaultOutput->name)
                                                     : QStringLiteral("None"));
    const std::optional<QString> volume = volumeText(now.defaultOutput);
    m_volume->setVisible(volume.has_value());
    if (volume) {
        m_volume->setTextIfChanged(*volume);
        if (muted)
            m_volume->setColor(paletteRed());
        else
            m_volume->setTone(Tone::Secondary);
    }

    m_inputSymbol->setColor(now.defaultInput ? paletteOrange() : secondaryText());
    m_inputName->setTextIfChanged(now.defaultInput ? OverviewPieces::shownName(now.defaultInput->name)
                                                   : QStringLiteral("None"));

    const bool active = !now.activeProcesses.isEmpty();
    m_appsSymbol->setSymbol(active ? QStringLiteral("waveform.badge.mic") : QStringLiteral("waveform"));
    const bool names = now.activeProcesses.size() == 1 || now.activeProcesses.size() == 2;
    TextLabel* shown = names ? static_cast<TextLabel*>(m_apps) : m_appsNote;
    shown->setTextIfChanged(appsText(now.activeProcesses));
    shown->setTone(active ? Tone::Primary : Tone::Tertiary);
    m_apps->setVisible(names);
    m_appsNote->setVisible(!names);
    if (active && !m_pulse.isActive()) {
        m_pulseStep = 0;
        m_appsSymbol->setColor(paletteGreen());
        m_pulse.start();
    } else if (!active) {
        m_pulse.stop();
        m_appsSymbol->setColor(secondaryText());
    }
}

} // namespace Dunmorra
