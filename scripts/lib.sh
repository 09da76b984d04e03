# SPDX-License-Identifier: MIT
# Shared by scripts/run and scripts/test: install what is missing, build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VEMDRA_BUILD:-$ROOT/build}"

PACKAGES=(
    cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libicu-dev
    xvfb xauth x11-utils
    fonts-noto-cjk fonts-arphic-ukai
    desktop-file-utils appstream dpkg-dev
)
# What the sanitizer build, the fuzzers, the package check and the layout
# check need on top. clang-format is pinned to the version that
# .clang-format is written for.
# libxcb-damage0-dev is for the start-up benchmark.
CHECK_PACKAGES=(clang libclang-rt-14-dev lintian clang-format-14 git libxcb-damage0-dev)

# Installs the packages that dpkg does not list as installed, with apt.
install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null | grep -qx installed \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}

# Configures once with a preset of CMakePresets.json, then builds only
# what changed: build DIR PRESET [-DNAME=VALUE...]. Settings given after
# the preset are set again on a folder configured before without them.
build() {
    local dir="$1" preset="$2"
    shift 2
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        (cd "$ROOT" && cmake --preset "$preset" -B "$(realpath -m "$dir")" "$@")
    elif [ $# -gt 0 ]; then
        cmake "$@" "$dir" >/dev/null
    fi
    cmake --build "$dir"
}
