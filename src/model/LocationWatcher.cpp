#include "model/LocationWatcher.h"

namespace Dunmorra {

LocationWatcher::LocationWatcher(QObject* parent)
    : QObject(parent)
{
}

void LocationWatcher::requestWhenInUseAuthorization()
{
    // Nothing to ask for: reading the Wi-Fi name needs no permission here.
}

void LocationWatcher::didChangeAuthorization(int status)
{
    m_status = status;
    if ((status == authorizedAlways || status == authorizedWhenInUse) && onAuthorized)
        onAuthorized();
}

} // namespace Dunmorra
