# Chooses which Windows build runs under Wine on this machine, and how, by
# scripts/can_run_wine32.sh: the shipped 32-bit exe under 32-bit Wine where
# that runs, natively or under user-mode emulation; else the 64-bit build of
# the same source under 64-bit Wine. Says in one line which route it took and
# why. Source it; it sets wine_arch (i686 or x86_64), wine_loader,
# wine_preset, wine_build (the preset's build folder), wine_route (what
# VARN_WINE32 names it: 1, emulated or 0) and wine_runner, the command that
# anything starting 32-bit Wine runs under (empty but on the emulated route).
wine_route_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
wine_runner=()
wine_route_status=0
wine_route_why=$(bash "$wine_route_scripts/can_run_wine32.sh") || wine_route_status=$?
case $wine_route_status in
0 | 3)
  wine_arch=i686 wine_loader=/usr/lib/wine/wine wine_preset=windows-i686 wine_build=build-win32
  wine_route=1
  if [ "$wine_route_status" = 3 ]; then
    wine_route=emulated wine_runner=(bash "$wine_route_scripts/emulated_i386.sh")
  fi
  # Said once, outside the emulator's namespace.
  [ -n "${VARN_I386_EMULATED:-}" ] || echo "The shipped 32-bit exe runs under Wine: $wine_route_why."
  ;;
1)
  wine_arch=x86_64 wine_loader=/usr/lib/wine/wine64 wine_preset=windows-x86_64 wine_build=build-win64
  wine_route=0
  echo "No 32-bit Wine here ($wine_route_why): the 64-bit build of the same source takes its place."
  ;;
*) exit 2 ;;
esac

# Runs the calling script again inside the emulator's namespace where the
# route needs one, for scripts that start 32-bit Wine in many places:
# `wine_route_enter SCRIPT "$@"`, SCRIPT as the caller is named from the
# folder it runs in. The route is passed on, not asked again.
wine_route_enter() {
  export VARN_WINE32=$wine_route
  [ ${#wine_runner[@]} = 0 ] || exec "${wine_runner[@]}" bash "$@"
}
