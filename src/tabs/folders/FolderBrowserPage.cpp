#include "tabs/folders/FolderBrowserPage.h"

#include "folders/FolderListModel.h"
#include "folders/FolderProvider.h"
#include "tabs/folders/BreadcrumbBar.h"
#include "tabs/folders/FileTypesCard.h"
#include "tabs/folders/FolderItemActions.h"
#include "tabs/folders/FolderListCard.h"
#include "tabs/folders/FolderListView.h"
#include "tabs/folders/FolderSummaryRow.h"

#include <QScrollBar>
#include <QVBoxLayout>

namespace Dunmorra {

FolderBrowserPage::FolderBrowserPage(FolderProvider& folders, DiskProvider& disk, QWidget* parent)
    : TabPage(parent)
    , m_folders(folders)
    , m_model(new FolderListModel(folders, this))
    , m_actions(new FolderItemActions(Platform::FileManager(), {}, this))
{
    setObjectName(QStringLiteral("folderBrowser"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_summary = new FolderSummaryRow(m_folders, *m_model, disk);
    m_breadcrumbs = new BreadcrumbBar(m_folders);
    m_list = new FolderListCard(m_folders, *m_model, *m_actions);
    m_fileTypes = new FileTypesCard;
    stack()->addWidget(m_summary);
    stack()->addWidget(m_breadcrumbs);
    stack()->addWidget(m_list);
    stack()->addWidget(m_fileTypes);

    // The file types depend on the listing only: sizes arriving later are
    // folders' sizes, which the breakdown leaves out.
    connect(m_model, &QAbstractItemModel::modelReset, this, &FolderBrowserPage::refreshFileTypes);
    connect(&m_folders, &FolderProvider::isScanningChanged, this, &FolderBrowserPage::refreshFileTypes);
    refreshFileTypes();
    // Scrolling the page moves the rows under the pointer.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, m_list->listView(), &FolderListView::refreshHover,
            Qt::QueuedConnection);

    // On screen: the page is built when its tab is chosen.
    m_folders.checkFullDiskAccess();
    if (m_folders.items().isEmpty())
        m_folders.scan();
}

FolderBrowserPage::~FolderBrowserPage()
{
    // Off screen: the main window discards a tab it switches away from.
    m_folders.cancelScan();
}

void FolderBrowserPage::refreshFileTypes()
{
    m_fileTypes->setBreakdown(fileTypeBreakdown(m_folders.items()));
    m_fileTypes->setVisible(!m_fileTypes->breakdown().empty() && !m_folders.isScanning());
}

} // namespace Dunmorra
