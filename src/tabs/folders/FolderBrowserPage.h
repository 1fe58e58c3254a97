#pragma once

#include "components/TabPage.h"

namespace Dunmorra {

class BreadcrumbBar;
class DiskProvider;
class FileTypesCard;
class FolderItemActions;
class FolderListCard;
class FolderListModel;
class FolderProvider;
class FolderSummaryRow;

// The folder browser: the folder's totals beside the system volume, the
// breadcrumb bar with its toolbar, the list, and the file types. Lists the
// folder when it comes on screen (unless a listing is already there) and
// stops the running scan when it leaves.
class FolderBrowserPage : public TabPage {
    Q_OBJECT
public:
    FolderBrowserPage(FolderProvider& folders, DiskProvider& disk, QWidget* parent = nullptr);
    ~FolderBrowserPage() override;

    FolderListModel& listModel() const { return *m_model; }
    FolderItemActions& itemActions() const { return *m_actions; }
    FolderSummaryRow* summary() const { return m_summary; }
    BreadcrumbBar* breadcrumbBar() const { return m_breadcrumbs; }
    FolderListCard* listCard() const { return m_list; }
    FileTypesCard* fileTypes() const { return m_fileTypes; }

private:
    void refreshFileTypes();

    FolderProvider& m_folders;
    FolderListModel* m_model;
    FolderItemActions* m_actions;
    FolderSummaryRow* m_summary = nullptr;
    BreadcrumbBar* m_breadcrumbs = nullptr;
    FolderListCard* m_list = nullptr;
    FileTypesCard* m_fileTypes = nullptr;
};

} // namespace Dunmorra
