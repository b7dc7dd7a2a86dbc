#!/usr/bin/env bash
# Installs what building and testing Quorvel needs on Debian 12, and nothing that is already
# there. When every package is present this only asks dpkg and returns, so `make` can call it
# on every run.
set -euo pipefail

packages=(
    # native build and unit tests
    cmake make g++ googletest libbenchmark-dev nlohmann-json3-dev
    # a compiler cache for all builds, kept in ~/.cache/ccache
    ccache
    # fuzzing (libFuzzer ships in clang's runtime package) and formatting
    clang clang-14 libclang-rt-14-dev clang-format
    # the Windows build (lld links the clang build of it)
    g++-mingw-w64-x86-64-posix mingw-w64-tools lld
    # running it: Wine in a virtual X server, input (and xmodmap for keys the keyboard
    # lacks), screenshots, Japanese fonts
    wine wine64 xvfb xauth x11-utils x11-xserver-utils xdotool imagemagick
    fonts-ipafont-gothic fonts-ipafont-mincho
    # the end-to-end tests and the start-up benchmark
    python3 procps
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != installed ]]; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
# Another install on the machine (a second checkout's `make test`) holds dpkg's lock for a
# minute or so: wait for it rather than fail.
wait_for_lock=(-o DPkg::Lock::Timeout=600)
# A fresh machine has no package lists yet; one update is enough for the whole install.
"${sudo[@]}" apt-get "${wait_for_lock[@]}" update -q
"${sudo[@]}" apt-get "${wait_for_lock[@]}" install -y -q --no-install-recommends "${missing[@]}"
