#!/usr/bin/env bash
# Installs what building, running and testing the tour need on Debian 12,
# skipping what is already there. Sourced by every script that builds or runs
# something (play*.sh, test.sh, screenshots.sh, soak.sh, bench/*.sh,
# release.sh, check-reproducible.sh).
# A package index that does not download is a warning, not the end: the
# packages may well come from the indexes that did. Setup fails only when a
# package it needs cannot be installed, and then says which and why.
set -euo pipefail

packages=(
  cmake g++ make qt6-base-dev libgl-dev doctest-dev  # build
  fonts-dejavu-core fonts-liberation2              # stand-ins for the scene fonts
  xvfb xauth openbox wmctrl xdotool x11-utils imagemagick python3-xlib  # end-to-end tests under X
  strace procps                                    # end-to-end: trace of files and sockets, pgrep
  dbus-daemon at-spi2-core python3-pyatspi         # end-to-end: the tour through the accessibility bus
  orca                                             # end-to-end: the tour with the screen reader listening
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
# The browser program: Emscripten to build it, brotli for its precompressed
# files, and for its tests and benchmark a headless Chromium driven through
# Selenium, with PIL for pixels.
if [ -n "${VARN_SETUP_WEB:-}" ]; then
  packages+=(emscripten nodejs brotli chromium chromium-driver python3-selenium python3-pil)
  packages+=(webkit2gtk-driver firefox-esr python3-websocket xvfb)  # the other two engines
fi
# A release (scripts/release.sh): the commit's time read from git, wixl run
# at that time, and the zip's entries freed of the builder's time zone and
# user ids.
if [ -n "${VARN_SETUP_RELEASE:-}" ]; then
  packages+=(git faketime strip-nondeterminism)
fi
packages+=(${VARN_EXTRA_PACKAGES:-})

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# Refreshes the package lists once per setup (again after an architecture is
# added), trying a few times: a mirror in the middle of a sync serves indexes
# that do not match its Release file for a while. If some index still fails,
# the lists that did download are used.
package_lists_fresh=
package_lists_warning=
refresh_package_lists() {
  [ -z "$package_lists_fresh" ] || return 0
  package_lists_fresh=1
  local attempt output
  for attempt in 1 2 3; do
    output=$("${sudo_cmd[@]}" apt-get update -qq 2>&1) && break
    if ((attempt == 3)); then
      package_lists_warning=1
      echo "Warning: apt-get update could not download every package index (3 tries);" \
        "going on with the lists it has:" >&2
    else
      sleep 10
    fi
  done
  if [ -n "$output" ]; then
    [ -n "$package_lists_warning" ] || echo "Warning: apt-get update said:" >&2
    sed 's/^/  /' <<<"$output" >&2
  fi
}

# Why apt-get could not install a package, in words, from what it said.
install_failure_reason() {
  case $1 in
  *"Unable to locate package"* | *"has no installation candidate"*)
    echo "no package list that downloaded offers it" ;;
  *"unmet dependencies"*) echo "what it depends on cannot be installed with it" ;;
  *"Failed to fetch"*) echo "its download failed" ;;
  *) echo "apt-get install failed" ;;
  esac
}

# Installs packages: install_packages needed|optional PACKAGE...
# A needed package that cannot be installed ends setup, naming the package
# and the reason, with apt's own words beneath; an optional one gets a note
# and status 1.
install_packages() {
  local kind=$1 output package failing=()
  shift
  echo "Installing: $*"
  refresh_package_lists
  output=$("${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "$@" 2>&1) && return 0
  # apt stops at the first problem: find each package it cannot install.
  for package; do
    "${sudo_cmd[@]}" apt-get install -s -qq --no-install-recommends "$package" >/dev/null 2>&1 ||
      failing+=("$package")
  done
  ((${#failing[@]})) || failing=("$@")
  {
    if [ "$kind" = optional ]; then
      echo "Note: the optional package ${failing[*]} was not installed:" \
        "$(install_failure_reason "$output")."
    else
      echo "Setup failed: the needed package ${failing[*]} cannot be installed:" \
        "$(install_failure_reason "$output")."
      [ -z "$package_lists_warning" ] || echo "Some package lists did not download (see above)."
    fi
    echo "apt-get said:"
    grep -v '^$' <<<"$output" | sed 's/^/  /'
  } >&"$([ "$kind" = optional ] && echo 1 || echo 2)"
  [ "$kind" = optional ] && return 1
  exit 1
}

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
((${#missing[@]} == 0)) || install_packages needed "${missing[@]}"

# 32-bit Wine runs the shipped 32-bit exe: natively where the kernel runs
# 32-bit x86 code; where it runs none (some kernels are built or booted
# without it), under user-mode emulation registered only in a private
# namespace (scripts/emulated_i386.sh), with qemu's emulator fetched into
# build-emulator/. On such a kernel the plain `wine` command then fails
# outside that namespace, as it prefers the 32-bit loader; our scripts call
# each loader by its path. All of it is optional: without it the Windows tests
# run the 64-bit build under 64-bit Wine instead (scripts/can_run_wine32.sh
# tells them). VARN_WINE32=0 asks for that route and leaves 32-bit Wine alone;
# VARN_WINE32=emulated takes the emulated route even where the kernel would
# run 32-bit code. Inside the emulator's namespace all this was done before.
if [ -n "${VARN_SETUP_WINDOWS:-}" ] && [ "${VARN_WINE32:-}" != 0 ] && [ -z "${VARN_I386_EMULATED:-}" ]; then
  setup_scripts=$(dirname "${BASH_SOURCE[0]}")
  # The emulator is fetched where it can run, also where the kernel runs 32-bit
  # code: the Windows tests then take one tour through it, to keep its route.
  emulator_note= wine32_wanted=1
  if ! emulation_why=$(bash "$setup_scripts/emulated_i386.sh" --check 2>&1); then
    emulator_note="32-bit x86 code cannot be emulated in a private namespace here ($emulation_why)."
  elif ! emulator_version=$(bash "$setup_scripts/fetch_i386_emulator.sh"); then
    emulator_note="No emulator for 32-bit x86 code could be fetched."
  fi
  if [ "${VARN_WINE32:-}" != emulated ] && bash "$setup_scripts/can_run_i386.sh"; then
    :
  elif [ -n "$emulator_note" ]; then
    echo "$emulator_note"
    wine32_wanted=
  else
    echo "32-bit x86 code will run under emulation: $emulator_version, in build-emulator/."
  fi
  if [ -n "$wine32_wanted" ] && ! installed wine32:i386; then
    added_i386=
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      "${sudo_cmd[@]}" dpkg --add-architecture i386
      added_i386=1 package_lists_fresh=
    fi
    if ! install_packages optional wine32:i386; then
      # Leave the machine as it was: no 32-bit architecture without a package of it.
      [ -z "$added_i386" ] || "${sudo_cmd[@]}" dpkg --remove-architecture i386
    fi
  fi
  [ -n "$wine32_wanted" ] && installed wine32:i386 ||
    echo "The Windows tests and scripts will run the 64-bit build under 64-bit Wine" \
      "(VARN_WINE32=0 skips this attempt)."
fi

# The browser tests' accessibility audit: the axe-core that tests/web/axe/
# pins, installed with npm ci from its lock file into build-npm/axe/, where
# the tests look for it; again only when the lock file changed.
if [ -n "${VARN_SETUP_WEB:-}" ]; then
  axe_pin=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/web/axe" && pwd)
  axe_home=$(dirname "$axe_pin")/../../build-npm/axe
  if ! cmp -s "$axe_pin/package-lock.json" "$axe_home/package-lock.json" ||
    [ ! -f "$axe_home/node_modules/axe-core/axe.min.js" ]; then
    echo "Installing: axe-core (npm, pinned in tests/web/axe/)"
    mkdir -p "$axe_home"
    cp "$axe_pin/package.json" "$axe_pin/package-lock.json" "$axe_home/"
    (cd "$axe_home" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
  fi
fi
