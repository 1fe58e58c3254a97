#pragma once

#include "components/TabPage.h"
#include "model/AudioSnapshot.h"
#include "tabs/ApplicationIcon.h"

#include <QString>

#include <cstdint>
#include <memory>

class QBoxLayout;
class QVBoxLayout;

namespace Dunmorra {

class AudioDeviceCard;
class AudioDeviceRow;
class AudioProcessRow;
class AudioProvider;
class Card;
class TextLabel;
template <typename Key, typename Row> class KeyedRows;

// The Audio page: the default output and input devices, the applications
// playing or recording now, and every available device with the default
// marked. Read-only; redrawn in place on each new snapshot.
class AudioTab : public TabPage {
    Q_OBJECT
public:
    explicit AudioTab(AudioProvider& audio, QWidget* parent = nullptr);
    AudioTab(AudioProvider& audio, ApplicationIconLookup icons, QWidget* parent = nullptr);
    ~AudioTab() override;

    // "—" when not above 0 (or not a number), "%.1f kHz" from 1000 Hz, else "%.0f Hz".
    static QString formatSampleRate(double hertz);
    // "—", "Mono", "Stereo", else "<n> ch".
    static QString channelLabel(std::int64_t channels);
    static QString transportSymbol(AudioSnapshot::Device::TransportKind kind);
    // The volume as the mixer shows it, in the locale's percent form; 0 % for
    // a volume that is not a number.
    static QString volumePercent(float volume);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildProcessSection();
    void arrangeDeviceCards();
    QWidget* buildDeviceList();
    void refresh();

    AudioProvider& m_audio;
    ApplicationIconLookup m_icons;
    QBoxLayout* m_cardRow = nullptr;
    AudioDeviceCard* m_outputCard = nullptr;
    AudioDeviceCard* m_inputCard = nullptr;
    QWidget* m_processSection = nullptr;
    QVBoxLayout* m_processLayout = nullptr;
    Card* m_noProcessesCard = nullptr;
    std::unique_ptr<KeyedRows<QString, AudioProcessRow>> m_processRows;
    QWidget* m_outputSection = nullptr;
    QWidget* m_inputSection = nullptr;
    QWidget* m_sectionDivider = nullptr;
    std::unique_ptr<KeyedRows<std::uint32_t, AudioDeviceRow>> m_outputRows;
    std::unique_ptr<KeyedRows<std::uint32_t, AudioDeviceRow>> m_inputRows;
};

} // namespace Dunmorra
