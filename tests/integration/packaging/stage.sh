#!/usr/bin/env bash
# Installs the build the way a distribution's package build does: prefix /usr,
# under a staging root laid out as dpkg-shlibdeps expects (debian/<package>).
set -euo pipefail
build="$1"
stage="$2"
rm -rf "$stage"
DESTDIR="$stage/debian/halvorin" cmake --install "$build" --prefix /usr >/dev/null
