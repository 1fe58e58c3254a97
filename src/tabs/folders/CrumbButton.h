#pragma once

#include <QAbstractButton>

namespace Dunmorra {

// One folder of the breadcrumb trail: a symbol and the folder's name on a
// rounded plate, filled with the accent colour (and not pressable) when it
// is the folder shown.
class CrumbButton : public QAbstractButton {
    Q_OBJECT
public:
    CrumbButton(const QByteArray& path, const QString& name, bool isHome, bool isCurrent, QWidget* parent = nullptr);

    const QByteArray& path() const { return m_path; }
    bool isHome() const { return m_isHome; }
    bool isCurrent() const { return m_isCurrent; }
    QString symbol() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont nameFont() const;

    QByteArray m_path;
    bool m_isHome;
    bool m_isCurrent;
};

} // namespace Dunmorra
