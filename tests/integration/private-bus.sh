# Sourced by the integration scripts. start_private_bus FOLDER starts a
# session bus listening in FOLDER that can activate nothing, so a missing
# peer is reported at once instead of the bus launching an installed one,
# and lets dbus-monitor see every call. Exports DBUS_SESSION_BUS_ADDRESS and
# sets BUS_PID; returns non-zero when the daemon cannot start.
start_private_bus() {
    cat >"$1/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$1</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
    _bus_out="$(dbus-daemon --config-file="$1/bus.conf" --fork --print-address=1 --print-pid=1)" || return 1
    DBUS_SESSION_BUS_ADDRESS="$(echo "$_bus_out" | sed -n 1p)"
    BUS_PID="$(echo "$_bus_out" | sed -n 2p)"
    export DBUS_SESSION_BUS_ADDRESS
}
