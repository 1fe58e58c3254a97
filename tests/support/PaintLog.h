#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QWidget>

namespace Dunmorra::Test {

// Counts, from its making on, the repaint passes of one window (each is one
// update request: one paint of what is dirty and one flush) and the paint
// events each widget receives.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget* window)
        : m_window(window)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~PaintLog() override { QCoreApplication::instance()->removeEventFilter(this); }

    int passes() const { return m_passes; }
    int paints(const QObject* widget) const { return m_paints.value(widget); }
    int allPaints() const
    {
        int n = 0;
        for (int p : m_paints)
            n += p;
        return n;
    }
    QStringList painted() const
    {
        QStringList out;
        for (auto it = m_paints.begin(); it != m_paints.end(); ++it)
            out << QString::fromLatin1(it.key()->metaObject()->className()) + QLatin1Char(':') + it.key()->objectName();
        return out;
    }
    void clear()
    {
        m_passes = 0;
        m_paints.clear();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::UpdateRequest && watched == m_window)
            ++m_passes;
        else if (event->type() == QEvent::Paint)
            ++m_paints[watched];
        return false;
    }

private:
    QWidget* m_window;
    int m_passes = 0;
    QHash<const QObject*, int> m_paints;
};

} // namespace Dunmorra::Test
