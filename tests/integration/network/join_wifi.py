# Waits for the simulated NetworkManager, then gives it an activated Wi-Fi
# device wlan0 whose active access point is "Café Net".
import sys
import time

import dbus

NM = 'org.freedesktop.NetworkManager'
bus = dbus.SessionBus()
for _ in range(600):  # up to a minute: a busy machine may take long to start it
    if bus.name_has_owner(NM):
        break
    time.sleep(0.1)
else:
    sys.exit(1)

mock = dbus.Interface(bus.get_object(NM, '/org/freedesktop/NetworkManager'), 'org.freedesktop.DBus.Mock')
device = mock.AddWiFiDevice('mock_wlan0', 'wlan0', 100)
ap = mock.AddAccessPoint(device, 'Mock_AP1', 'Café Net', '00:11:22:33:44:55', 2, 2437, 5400, 82, 1)
dbus.Interface(bus.get_object(NM, device), 'org.freedesktop.DBus.Mock').AddProperty(
    'org.freedesktop.NetworkManager.Device.Wireless', 'ActiveAccessPoint', dbus.ObjectPath(ap))
