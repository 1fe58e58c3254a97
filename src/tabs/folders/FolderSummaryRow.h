#pragma once

#include <QWidget>

namespace Dunmorra {

class DiskProvider;
class FolderListModel;
class FolderProvider;
class IconLabel;
class SymbolView;
class TextLabel;
class ThinBar;

// Two cards side by side: the current folder's name, total and counts, and
// the system volume's used, free and total space.
class FolderSummaryRow : public QWidget {
    Q_OBJECT
public:
    FolderSummaryRow(FolderProvider& folders, FolderListModel& model, DiskProvider& disk, QWidget* parent = nullptr);

    // "Home" at the home folder, else the folder's own name.
    static QString titleFor(const QByteArray& path, const QByteArray& home);

private:
    QWidget* buildHeaderCard();
    QWidget* buildVolumeCard();
    void refreshFolder();
    void refreshTotals();
    void refreshVolume();

    FolderProvider& m_folders;
    FolderListModel& m_model;
    DiskProvider& m_disk;
    IconLabel* m_title = nullptr;
    TextLabel* m_total = nullptr;
    SymbolView* m_partial = nullptr;
    TextLabel* m_counts = nullptr;
    ThinBar* m_volumeBar = nullptr;
    TextLabel* m_used = nullptr;
    TextLabel* m_free = nullptr;
    TextLabel* m_volumeTotal = nullptr;
};

} // namespace Dunmorra
