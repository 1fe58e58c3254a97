#include "tabs/folders/FolderSummaryRow.h"

#include "components/Card.h"
#include "components/Formatters.h"
#include "components/Palette.h"
#include "components/Symbols.h"
#include "components/TabPage.h"
#include "components/ThinBar.h"
#include "components/Typography.h"
#include "folders/FolderListModel.h"
#include "folders/FolderPath.h"
#include "folders/FolderProvider.h"
#include "model/DiskProvider.h"
#include "tabs/DiskTab.h"
#include "tabs/PagePieces.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

FolderSummaryRow::FolderSummaryRow(FolderProvider& folders, FolderListModel& model, DiskProvider& disk, QWidget* parent)
    : QWidget(parent)
    , m_folders(folders)
    , m_model(model)
    , m_disk(disk)
{
    setObjectName(QStringLiteral("folderSummary"));
    auto* row = TabPage::cardRow();
    setLayout(row);
    QWidget* header = buildHeaderCard();
    QWidget* volume = buildVolumeCard();
    TabPage::shareRowWidth(header);
    TabPage::shareRowWidth(volume);
    row->addWidget(header, 1);
    row->addWidget(volume, 1);

    connect(&m_folders, &FolderProvider::currentPathChanged, this, &FolderSummaryRow::refreshFolder);
    connect(&m_folders, &FolderProvider::isComputingSizesChanged, this, &FolderSummaryRow::refreshTotals);
    connect(&m_folders, &FolderProvider::isScanningChanged, this, &FolderSummaryRow::refreshTotals);
    connect(&m_folders, &FolderProvider::isUnreadableChanged, this, &FolderSummaryRow::refreshTotals);
    connect(&m_model, &FolderListModel::figuresChanged, this, &FolderSummaryRow::refreshTotals);
    connect(&m_disk, &DiskProvider::currentChanged, this, &FolderSummaryRow::refreshVolume);
    refreshFolder();
    refreshTotals();
    refreshVolume();
}

QString FolderSummaryRow::titleFor(const QByteArray& path, const QByteArray& home)
{
    if (path == home)
        return tr("Home");
    return FolderPath::displayName(path);
}

QWidget* FolderSummaryRow::buildHeaderCard()
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 8);
    m_title = PagePieces::cardTitle(QStringLiteral("folder.fill"), QString());
    m_title->label()->setObjectName(QStringLiteral("folderTitle"));
    stack->addWidget(m_title);

    auto* totalRow = PagePieces::row(6);
    m_total = new TextLabel(QString(), Fonts::bigFigure());
    m_total->setObjectName(QStringLiteral("folderTotal"));
    m_partial = new SymbolView(QStringLiteral("exclamationmark.triangle.fill"), 14, paletteOrange());
    m_partial->setObjectName(QStringLiteral("partialTotal"));
    totalRow->addWidget(m_total);
    totalRow->addWidget(m_partial, 0, Qt::AlignVCenter);
    totalRow->addStretch(1);
    stack->addLayout(totalRow);

    m_counts = new TextLabel(QString(), Fonts::caption(), Tone::Secondary);
    m_counts->setObjectName(QStringLiteral("folderCounts"));
    stack->addWidget(m_counts);
    stack->setAlignment(Qt::AlignTop);
    return new Card(content, nullptr);
}

QWidget* FolderSummaryRow::buildVolumeCard()
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 10);
    stack->addWidget(PagePieces::cardTitle(QStringLiteral("internaldrive"), tr("Volume")));
    m_volumeBar = new ThinBar(accentColor());
    m_volumeBar->setObjectName(QStringLiteral("volumeBar"));
    stack->addWidget(m_volumeBar);
    const auto addRow = [&](const QString& label, const char* name) {
        auto* value = new TextLabel(QString(), Fonts::value());
        value->setObjectName(QLatin1String(name));
        stack->addLayout(PagePieces::edgeRow(new TextLabel(label, Fonts::caption(), Tone::Secondary), value));
        return value;
    };
    m_used = addRow(tr("Used"), "volumeUsed");
    m_free = addRow(tr("Free"), "volumeFree");
    m_volumeTotal = addRow(tr("Total"), "volumeTotal");
    stack->setAlignment(Qt::AlignTop);
    return new Card(content, nullptr);
}

void FolderSummaryRow::refreshFolder()
{
    const QString title = titleFor(m_folders.currentPath(), m_folders.homePath());
    m_title->label()->setTextIfChanged(title);
    m_title->setAccessibleName(title);
}

void FolderSummaryRow::refreshTotals()
{
    // A folder that cannot be read has no total and no counts: "0 KB" and
    // "0 folders" would claim it empty.
    if (m_folders.isUnreadable() && !m_folders.isScanning()) {
        m_total->setTextIfChanged(tr("Unreadable"));
        m_total->setTone(Tone::Secondary);
        m_partial->setToolTip(tr("This folder can't be read"));
        m_partial->setVisible(true);
        m_counts->setTextIfChanged(tr("This folder can't be read"));
        return;
    }
    const FolderFigures& f = m_model.figures();
    m_total->setTextIfChanged(QString::fromStdString(formatBytes(f.totalSize)));
    m_total->setTone(Tone::Primary);
    m_partial->setToolTip(tr("Partial total: some folders are not sized or could not be read in full"));
    // While sizes are still arriving the progress panel says so.
    m_partial->setVisible(f.totalIsPartial && !m_folders.isComputingSizes() && !m_folders.isScanning());
    m_counts->setTextIfChanged(tr("%n folders", nullptr, f.folderCount) + QStringLiteral(" · ")
                               + tr("%n files", nullptr, f.fileCount));
}

void FolderSummaryRow::refreshVolume()
{
    const DiskSnapshot& now = m_disk.current();
    m_volumeBar->setFraction(DiskTab::volumeFraction(now));
    m_used->setTextIfChanged(QString::fromStdString(formatBytes(now.volumeUsedBytes)));
    m_free->setTextIfChanged(QString::fromStdString(formatBytes(now.volumeFreeBytes)));
    m_volumeTotal->setTextIfChanged(QString::fromStdString(formatBytes(now.volumeTotalBytes)));
}

} // namespace Dunmorra
