#pragma once

#include <QObject>

#include <functional>

namespace Dunmorra {

// Whether the Wi-Fi name may be read. Linux asks no permission for it, so the
// status is authorised from the start and the request does nothing; the
// change callback is kept so that the forced refresh it triggers stays the
// same path on every platform (and a test can drive it).
class LocationWatcher : public QObject {
    Q_OBJECT
public:
    enum Status { notDetermined = 0, restricted = 1, denied = 2, authorizedAlways = 3, authorizedWhenInUse = 4 };

    explicit LocationWatcher(QObject* parent = nullptr);

    // Run on the GUI thread when access becomes authorised.
    std::function<void()> onAuthorized;

    int authorizationStatus() const { return m_status; }
    void requestWhenInUseAuthorization();
    // The platform's report of a new status.
    void didChangeAuthorization(int status);

private:
    int m_status = authorizedWhenInUse;
};

} // namespace Dunmorra
