#!/usr/bin/env bash
# Installs the Debian packages that リドルト needs to build, test and run,
# and only those that are missing.  Cheap when everything is there.
set -euo pipefail

packages=(
    # toolchain
    g++ cmake ninja-build pkg-config clang libclang-rt-14-dev
    # Qt 6 Widgets, Charts and Network; lupdate and lrelease with their
    # CMake functions for the game's English
    qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-tools-dev qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins libqt6svg6 libgl-dev
    # tests and benchmarks; the screen reader's path (the accessibility bus
    # and its Python client) and the screen reader itself with a window
    # manager and its speech server; the formatting check
    libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils
    at-spi2-core python3-pyatspi dbus-daemon orca openbox speech-dispatcher clang-format
    # JSON for the simulator's output and its served protocol; the Python
    # client of the protocol and its tests
    rapidjson-dev python3
    # SHA-256, which ties a save file's history to the save
    nettle-dev
    # the Python module ridolt (pybind11, numpy), its league (SciPy's
    # bootstrap, Dask's clusters) and its property tests
    pybind11-dev python3-dev python3-numpy python3-scipy python3-distributed python3-hypothesis
    # Japanese text on screen, also in Qt's own texts
    fonts-noto-cjk qt6-translations-l10n
    # desktop integration and packaging checks
    desktop-file-utils appstream shared-mime-info libglib2.0-bin dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
