# Shared by scripts/run and scripts/test.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

install_packages() {
    local missing=()
    local pkg
    while read -r pkg; do
        [[ -z "$pkg" || "$pkg" == \#* ]] && continue
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done < "$ROOT/scripts/packages.txt"
    [[ ${#missing[@]} -eq 0 ]] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [[ "$(id -u)" -ne 0 ]] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

build_project() {
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$BUILD" --parallel "${HALVORIN_JOBS:-$(nproc)}"
}

# The unit-test binaries, one per source folder.
UNIT_TESTS=(platform_tests model_tests history_tests folders_tests components_tests tabs_tests app_tests)

# build_sanitized FOLDER SANITIZERS TARGET...: a build of only those targets
# with run-time checks (see HALVORIN_SANITIZE in CMakeLists.txt).
build_sanitized() {
    local folder="$1" sanitizers="$2"
    shift 2
    cmake -S "$ROOT" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DHALVORIN_SANITIZE="$sanitizers" -DHALVORIN_BUILD_BENCH=OFF >/dev/null
    cmake --build "$folder" --parallel "${HALVORIN_JOBS:-$(nproc)}" --target "$@"
}
