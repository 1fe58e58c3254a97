#pragma once

#include "components/Card.h"

namespace Dunmorra {

class FolderItemActions;
class FolderListModel;
class FolderListView;
class FolderPlaceholderRows;
class FolderProvider;
class SizeProgressPanel;
class TextLabel;

// The folder list's card in one of three states: pulsing placeholder rows
// while the folder is listed, the rows themselves (with the progress panel
// over them while sizes are computed), or a line saying the folder is empty
// or cannot be read.
class FolderListCard : public Card {
    Q_OBJECT
public:
    enum class State { Placeholder, List, Empty };

    static constexpr int kMaxListHeight = 500;

    FolderListCard(FolderProvider& folders, FolderListModel& model, const FolderItemActions& actions,
                   QWidget* parent = nullptr);

    State state() const { return m_state; }
    FolderListView* listView() const { return m_list; }
    SizeProgressPanel* progressPanel() const { return m_progress; }
    TextLabel* emptyText() const { return m_emptyText; }

    // The texts of the column header.
    static QWidget* columnHeader(QWidget* parent = nullptr);

private:
    void refresh();
    void refreshProgress();
    void showMenu(const QModelIndex& index, const QPoint& globalPos);

    FolderProvider& m_folders;
    FolderListModel& m_model;
    const FolderItemActions& m_actions;
    State m_state = State::Empty;
    QWidget* m_head = nullptr;
    FolderListView* m_list = nullptr;
    FolderPlaceholderRows* m_placeholder = nullptr;
    QWidget* m_empty = nullptr;
    TextLabel* m_emptyText = nullptr;
    SizeProgressPanel* m_progress = nullptr;
};

} // namespace Dunmorra
