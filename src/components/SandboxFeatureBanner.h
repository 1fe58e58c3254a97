#pragma once

#include <QString>
#include <QWidget>

class QPushButton;

namespace Dunmorra {

class UserSettings;

// Stands in for a feature a sandboxed run cannot offer. Bound to the shared
// "ui.sandbox.showHints" setting: "Dismiss" writes false, and every banner
// bound to the key hides at once (a hidden banner takes no space in its layout).
class SandboxFeatureBanner : public QWidget {
    Q_OBJECT
public:
    // Title and description are shown as given (callers translate them).
    SandboxFeatureBanner(const QString& title, const QString& description, QWidget* parent = nullptr);
    SandboxFeatureBanner(const QString& title, const QString& description, UserSettings& settings, QWidget* parent = nullptr);

    QPushButton* dismissButton() const { return m_dismiss; }
    bool hintsShown() const;

private:
    void syncVisibility();

    UserSettings& m_settings;
    QPushButton* m_dismiss = nullptr;
    bool m_hiddenByHint = false;
};

} // namespace Dunmorra
