#!/usr/bin/env bash
# What the staged program needs at run time, as a Debian package would
# declare it: no run path of its own, and every library it loads named.
set -euo pipefail
stage="$1"
binary=debian/halvorin/usr/bin/halvorin
cd "$stage"
status=0

if readelf -d "$binary" | grep -E '\((RUNPATH|RPATH)\)'; then
    echo "FAIL: the installed program keeps a run path"
    status=1
fi

mkdir -p debian
printf 'Source: halvorin\n\nPackage: halvorin\nArchitecture: any\n' > debian/control
depends="$(dpkg-shlibdeps -O -e "$binary" 2>/dev/null)"
echo "$depends"
# The SVG icons load through the icon-engine plugin of this package.
if ! grep -q 'libqt6svg6' <<<"$depends"; then
    echo "FAIL: libqt6svg6 is not a detected dependency"
    status=1
fi
exit "$status"
