#!/usr/bin/env bash
# Installs what building, running and testing the tour need on Debian 12,
# skipping what is already there. Sourced by play.sh and test.sh.
set -euo pipefail

packages=(
  cmake g++ make qt6-base-dev libgl-dev doctest-dev  # build
  fonts-dejavu-core fonts-liberation2              # stand-ins for the scene fonts
  xvfb xauth openbox wmctrl xdotool x11-utils imagemagick python3-xlib  # end-to-end tests under X
  strace procps                                    # end-to-end: trace of files and sockets, pgrep
  dbus-daemon at-spi2-core python3-pyatspi         # end-to-end: the tour through the accessibility bus
  mutter kwin-wayland kwin-style-breeze xwayland qt6-wayland x11-xserver-utils  # end-to-end: GNOME's and KDE's Wayland sessions
  clang-format
  python3 binutils-mingw-w64-i686 desktop-file-utils appstream dpkg-dev graphviz  # resource checks, package, tour map
  lintian man-db                                   # the Debian package checked, its manual page rendered
)
# The Windows program: cross compilers, Wine to run it and its tests, and the
# MSI tools that build its installer and read it back.
if [ -n "${VARN_SETUP_WINDOWS:-}" ]; then
  packages+=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 fonts-wine wixl msitools unzip)
fi
# The browser program: Emscripten to build it, and for its tests and
# benchmark a headless Chromium driven through Selenium, with PIL for pixels.
if [ -n "${VARN_SETUP_WEB:-}" ]; then
  packages+=(emscripten nodejs chromium chromium-driver python3-selenium python3-pil)
  packages+=(webkit2gtk-driver firefox-esr python3-websocket xvfb)  # the other two engines
fi
packages+=(${VARN_EXTRA_PACKAGES:-})

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

# 32-bit Wine runs the shipped 32-bit exe, but only on a kernel that runs
# 32-bit x86 code; elsewhere installing it would break Wine's launcher, and the
# tests use the 64-bit build under 64-bit Wine instead.
if [ -n "${VARN_SETUP_WINDOWS:-}" ] && bash "$(dirname "${BASH_SOURCE[0]}")/can_run_i386.sh" &&
  ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  echo "Installing: wine32:i386"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    wine32:i386 >/dev/null
fi
