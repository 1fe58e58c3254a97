#include "tabs/folders/FileTypesCard.h"

#include "components/Card.h"
#include "components/ElidedLabel.h"
#include "components/Formatters.h"
#include "components/Palette.h"
#include "components/Typography.h"
#include "tabs/PagePieces.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {

// A 6-unit bar: a faint track and an accent fill of a share of its width.
class ShareBar : public QWidget {
public:
    explicit ShareBar(double share, QWidget* parent)
        : QWidget(parent)
        , m_share(share)
    {
        setObjectName(QStringLiteral("fileTypeBar"));
        setFixedHeight(6);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setProperty("share", share);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(quaternaryFill());
        p.drawRoundedRect(QRectF(rect()), 3, 3);
        p.setBrush(withAlpha(accentColor(), 0.6));
        p.drawRoundedRect(QRectF(0, 0, width() * m_share, height()), 3, 3);
    }

private:
    double m_share;
};

} // namespace

FileTypesCard::FileTypesCard(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("fileTypes"));
    auto* outer = PagePieces::stack(this, 10);
    outer->addWidget(PagePieces::sectionTitle(tr("File types"), this));
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 8);
    m_rows = PagePieces::stack(8);
    stack->addLayout(m_rows);
    auto* note = new TextLabel(tr("File types for direct children only — not recursive."), Fonts::caption(),
                               Tone::Tertiary, content);
    note->setObjectName(QStringLiteral("fileTypesNote"));
    note->setWordWrap(true);
    note->setContentsMargins(0, 4, 0, 0);
    stack->addWidget(note);
    outer->addWidget(new Card(content, this));
}

double FileTypesCard::barShare(const std::vector<FileTypeShare>& breakdown, std::size_t row)
{
    if (row >= breakdown.size())
        return 0;
    const double scale = breakdown.empty() || breakdown.front().size == 0 ? 1.0 : static_cast<double>(breakdown.front().size);
    return static_cast<double>(breakdown[row].size) / scale;
}

void FileTypesCard::setBreakdown(std::vector<FileTypeShare> breakdown)
{
    if (breakdown == m_breakdown)
        return;
    m_breakdown = std::move(breakdown);
    while (QLayoutItem* item = m_rows->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (std::size_t i = 0; i < m_breakdown.size(); ++i) {
        auto* row = new QWidget;
        row->setObjectName(QStringLiteral("fileTypeRow"));
        auto* h = new QHBoxLayout(row);
        h->setContentsMargins(0, 0, 0, 0);
        h->setSpacing(12);
        auto* ext = new ElidedLabel(m_breakdown[i].ext, figureFont(14, QFont::Medium), Tone::Primary, row);
        ext->setObjectName(QStringLiteral("fileTypeExt"));
        ext->setFixedWidth(50);
        auto* size = new TextLabel(QString::fromStdString(formatBytes(m_breakdown[i].size)), Fonts::caption(),
                                   Tone::Secondary, row);
        size->setObjectName(QStringLiteral("fileTypeSize"));
        size->setFixedWidth(70);
        size->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        h->addWidget(ext);
        h->addWidget(new ShareBar(barShare(m_breakdown, i), row), 1, Qt::AlignVCenter);
        h->addWidget(size);
        m_rows->addWidget(row);
    }
}

} // namespace Dunmorra
