#pragma once

#include "folders/FolderFigures.h"

#include <QWidget>

#include <vector>

class QVBoxLayout;

namespace Dunmorra {

// "File types": the bytes of the folder's own files per file type, each
// with a bar against the largest type. Shown by the page only when there is
// a row to show and the folder is not being listed.
class FileTypesCard : public QWidget {
    Q_OBJECT
public:
    explicit FileTypesCard(QWidget* parent = nullptr);

    void setBreakdown(std::vector<FileTypeShare> breakdown);
    const std::vector<FileTypeShare>& breakdown() const { return m_breakdown; }

    // The share of the width a type's bar fills: its size over the first's.
    static double barShare(const std::vector<FileTypeShare>& breakdown, std::size_t row);

private:
    std::vector<FileTypeShare> m_breakdown;
    QVBoxLayout* m_rows = nullptr;
};

} // namespace Dunmorra
