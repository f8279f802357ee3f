#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, test and run, when any is missing.
# Usage: scripts/deps.sh [--check]   (--check only lists what is missing; exit 1 when something is)
set -euo pipefail

PACKAGES=(
    # tool chain
    build-essential cmake ninja-build ccache clang-format clang-tidy git
    # Qt 5.15: widgets, charts, SQLite driver, text to speech, test, linguist tools
    qtbase5-dev qtbase5-dev-tools libqt5charts5-dev libqt5sql5-sqlite libqt5svg5-dev
    libqt5texttospeech5-dev qttools5-dev qttools5-dev-tools
    # speech engine behind Qt's text-to-speech on Linux
    qtspeech5-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng
    # live video of the stand-in player: Qt Multimedia on GStreamer, and the tools that
    # generate the scenario's looping test clips
    qtmultimedia5-dev libqt5multimedia5-plugins gstreamer1.0-plugins-base
    gstreamer1.0-plugins-good gstreamer1.0-tools gstreamer1.0-x
    # fonts for the offscreen platform: Latin and the Chinese user-interface language
    fontconfig fonts-dejavu-core fonts-wqy-microhei
)

missing_packages()
{
    local pkg status
    for pkg in "${PACKAGES[@]}"; do
        status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
        if [[ "$status" != "installed" ]]; then
            echo "$pkg"
        fi
    done
}

mapfile -t MISSING < <(missing_packages)

if [[ ${#MISSING[@]} -eq 0 ]]; then
    echo "deps: all ${#PACKAGES[@]} Debian packages present"
    exit 0
fi

echo "deps: missing Debian packages: ${MISSING[*]}"
if [[ "${1:-}" == "--check" ]]; then
    exit 1
fi

SUDO=()
if [[ $(id -u) -ne 0 ]]; then
    if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
        SUDO=(sudo)
    else
        echo "deps: not root; install them first with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${MISSING[*]}" >&2
        exit 1
    fi
fi

export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update
"${SUDO[@]}" apt-get install -y "${MISSING[@]}"

mapfile -t STILL < <(missing_packages)
if [[ ${#STILL[@]} -ne 0 ]]; then
    echo "deps: still missing after install: ${STILL[*]}" >&2
    exit 1
fi
echo "deps: installed ${MISSING[*]}"
