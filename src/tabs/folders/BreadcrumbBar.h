#pragma once

#include "components/Card.h"

#include <QList>

class QHBoxLayout;
class QScrollArea;
class QToolButton;

namespace Dunmorra {

class CrumbButton;
class FolderProvider;

// The trail from the outermost shown folder down to the current one, each
// folder a button that opens it, and the toolbar: up, hidden files and
// refresh. Only the folder model's own operations are called.
class BreadcrumbBar : public Card {
    Q_OBJECT
public:
    explicit BreadcrumbBar(FolderProvider& folders, QWidget* parent = nullptr);

    QList<CrumbButton*> crumbs() const { return m_crumbs; }
    QToolButton* upButton() const { return m_up; }
    QToolButton* hiddenToggle() const { return m_hidden; }
    QToolButton* refreshButton() const { return m_refresh; }

private:
    QToolButton* toolButton(const QString& symbol, const char* name);
    void rebuildCrumbs();
    void refreshToolbar();

    FolderProvider& m_folders;
    QScrollArea* m_trailArea = nullptr;
    QWidget* m_trail = nullptr;
    QHBoxLayout* m_trailRow = nullptr;
    QList<CrumbButton*> m_crumbs;
    QToolButton* m_up = nullptr;
    QToolButton* m_hidden = nullptr;
    QToolButton* m_refresh = nullptr;
};

} // namespace Dunmorra
