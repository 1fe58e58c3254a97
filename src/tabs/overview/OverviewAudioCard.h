#pragma once

#include "model/AudioSnapshot.h"

#include <QColor>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace Dunmorra {

class AudioProvider;
class ElidedLabel;
class WrappingLabel;
class SymbolView;
class TextLabel;

// The default output and input and the applications using audio now, in one
// row. Audio is not part of the day history: a recorded day shows a note.
class OverviewAudioCard : public QWidget {
    Q_OBJECT
public:
    explicit OverviewAudioCard(AudioProvider& audio, QWidget* parent = nullptr);

    void showRecordedNote(bool recorded);

    static QString outputSymbol(const std::optional<AudioSnapshot::Device>& output);
    // "Muted", the whole volume percent, or none when the volume is unknown.
    static std::optional<QString> volumeText(const std::optional<AudioSnapshot::Device>& output);
    // "No audio at this moment.", one or two names joined by " · ", or "N apps using audio".
    static QString appsText(const QList<AudioSnapshot::AudioProcess>& processes);

    bool isAnimating() const { return m_pulse.isActive(); }

private:
    QWidget* buildLiveRow();
    void refresh();

    AudioProvider& m_audio;
    bool m_recorded = false;
    QWidget* m_note = nullptr;
    QWidget* m_live = nullptr;
    SymbolView* m_outputSymbol = nullptr;
    ElidedLabel* m_outputName = nullptr;
    TextLabel* m_volume = nullptr;
    SymbolView* m_inputSymbol = nullptr;
    ElidedLabel* m_inputName = nullptr;
    SymbolView* m_appsSymbol = nullptr;
    ElidedLabel* m_apps = nullptr;      // one or two names, one line
    WrappingLabel* m_appsNote = nullptr; // none, or a count of apps
    // Lights the applications' symbol in turn while any use audio.
    QTimer m_pulse;
    int m_pulseStep = 0;
};

} // namespace Dunmorra
