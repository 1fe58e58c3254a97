#pragma once

#include <QWidget>

class QVBoxLayout;

namespace Dunmorra {

class DiskProvider;
class FolderBrowserPage;
class FolderProvider;
class UserSettings;

// The Folders tab. Outside a sandbox it is the folder browser; in a
// sandboxed run, where the file system is out of reach, it shows the
// sandbox hint, or once hints are dismissed a short note with a button that
// hides the tab.
class FolderTab : public QWidget {
    Q_OBJECT
public:
    FolderTab(FolderProvider& folders, DiskProvider& disk, UserSettings& settings, QWidget* parent = nullptr);

    // The browser; null in a sandboxed run.
    FolderBrowserPage* browser() const { return m_browser; }

private:
    void showSandboxView();
    QWidget* buildUnavailableView();

    FolderProvider& m_folders;
    DiskProvider& m_disk;
    UserSettings& m_settings;
    QVBoxLayout* m_layout;
    QWidget* m_view = nullptr;
    FolderBrowserPage* m_browser = nullptr;
};

} // namespace Dunmorra
