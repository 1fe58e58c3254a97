#pragma once

#include <QObject>

namespace Dunmorra {

// On a scrolling page, the wheel scrolls the page. A slider, a combo box or
// a spin box the pointer happens to pass over must not take it, or scrolling
// down the Settings page edits every threshold on the way; such a control
// takes the wheel only once it has the focus (a click or Tab gives it).
// One filter for the whole application, installed by the first page.
class WheelGuard : public QObject {
    Q_OBJECT
public:
    static void install();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace Dunmorra
