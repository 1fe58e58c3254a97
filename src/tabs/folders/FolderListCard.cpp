#include "tabs/folders/FolderListCard.h"

#include "components/Divider.h"
#include "components/Typography.h"
#include "folders/FolderListModel.h"
#include "folders/FolderProvider.h"
#include "tabs/PagePieces.h"
#include "tabs/folders/FolderItemActions.h"
#include "tabs/folders/FolderListView.h"
#include "tabs/folders/FolderPlaceholderRows.h"
#include "tabs/folders/FolderRowDelegate.h"
#include "tabs/folders/SizeProgressPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QVBoxLayout>

namespace Dunmorra {

FolderListCard::FolderListCard(FolderProvider& folders, FolderListModel& model, const FolderItemActions& actions,
                               QWidget* parent)
    : Card(parent)
    , m_folders(folders)
    , m_model(model)
    , m_actions(actions)
{
    setObjectName(QStringLiteral("folderListCard"));
    auto* content = new QWidget;
    auto* overlay = new QGridLayout(content);
    overlay->setContentsMargins(0, 0, 0, 0);

    auto* body = new QWidget(content);
    auto* stack = PagePieces::stack(body, 0);
    m_head = new QWidget(body);
    auto* head = PagePieces::stack(m_head, 0);
    head->addWidget(columnHeader(m_head));
    head->addSpacing(6);
    head->addWidget(new Divider(1.0, m_head));
    head->addSpacing(6);
    stack->addWidget(m_head);

    m_list = new FolderListView(m_model, body);
    stack->addWidget(m_list);
    m_placeholder = new FolderPlaceholderRows(body);
    stack->addWidget(m_placeholder);

    m_empty = new QWidget(body);
    m_empty->setObjectName(QStringLiteral("emptyState"));
    auto* emptyRow = new QHBoxLayout(m_empty);
    emptyRow->setContentsMargins(0, 40, 0, 40);
    m_emptyText = new TextLabel(QString(), Fonts::caption(), Tone::Secondary, m_empty);
    m_emptyText->setObjectName(QStringLiteral("emptyText"));
    emptyRow->addStretch(1);
    emptyRow->addWidget(m_emptyText);
    emptyRow->addStretch(1);
    stack->addWidget(m_empty);
    overlay->addWidget(body, 0, 0);

    m_progress = new SizeProgressPanel(content);
    overlay->addWidget(m_progress, 0, 0, Qt::AlignCenter);
    setContent(content);

    connect(m_list, &FolderListView::folderChosen, &m_folders, &FolderProvider::navigateTo);
    connect(m_list, &FolderListView::contextMenuWanted, this, &FolderListCard::showMenu);
    connect(&m_folders, &FolderProvider::isScanningChanged, this, &FolderListCard::refresh);
    connect(&m_folders, &FolderProvider::isUnreadableChanged, this, &FolderListCard::refresh);
    connect(&m_folders, &FolderProvider::isComputingSizesChanged, this, &FolderListCard::refreshProgress);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &FolderListCard::refresh);
    connect(&m_model, &FolderListModel::figuresChanged, this, &FolderListCard::refreshProgress);
    refresh();
    refreshProgress();
}

QWidget* FolderListCard::columnHeader(QWidget* parent)
{
    auto* header = new QWidget(parent);
    header->setObjectName(QStringLiteral("columnHeader"));
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(FolderRowDelegate::kSpacing);
    auto* name = new TextLabel(tr("Name"), Fonts::caption(), Tone::Secondary, header);
    name->setFixedWidth(FolderRowDelegate::kNameWidth);
    auto* share = new TextLabel(tr("Size share"), Fonts::caption(), Tone::Secondary, header);
    share->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* total = new TextLabel(tr("Total"), Fonts::caption(), Tone::Secondary, header);
    total->setFixedWidth(FolderRowDelegate::kTotalWidth);
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(name);
    row->addWidget(share, 1);
    row->addWidget(total);
    return header;
}

void FolderListCard::refresh()
{
    if (m_folders.isScanning())
        m_state = State::Placeholder;
    else if (m_model.rowCount() > 0)
        m_state = State::List;
    else
        m_state = State::Empty;

    m_head->setVisible(m_state != State::Empty);
    m_placeholder->setVisible(m_state == State::Placeholder);
    m_list->setVisible(m_state == State::List);
    m_empty->setVisible(m_state == State::Empty);
    m_emptyText->setText(m_folders.isUnreadable() ? tr("This folder can't be read") : tr("This folder is empty"));
    m_list->setFixedHeight(std::max(1, m_list->contentHeight(kMaxListHeight)));
}

void FolderListCard::refreshProgress()
{
    const bool computing = m_folders.isComputingSizes();
    const FolderFigures& figures = m_model.figures();
    m_progress->setProgress(figures.sizedFolderCount, figures.folderCount);
    m_progress->setShown(computing);
    m_list->setBlocked(computing);
}

void FolderListCard::showMenu(const QModelIndex& index, const QPoint& globalPos)
{
    if (!index.isValid() || index.row() >= m_folders.items().size())
        return;
    QMenu* menu = m_actions.menuFor(m_model.item(index.row()), this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

} // namespace Dunmorra
