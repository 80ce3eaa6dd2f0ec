# Chooses which Windows build runs under Wine on this machine, by
# scripts/can_run_wine32.sh: the shipped 32-bit exe under 32-bit Wine where
# that runs, else the 64-bit build of the same source under 64-bit Wine, and
# then it says why. Source it; it sets wine_arch (i686 or x86_64), wine_loader,
# wine_preset and wine_build (the preset's build folder).
if wine_route_why=$(bash "$(dirname "${BASH_SOURCE[0]}")/can_run_wine32.sh"); then
  wine_arch=i686 wine_loader=/usr/lib/wine/wine wine_preset=windows-i686 wine_build=build-win32
elif [ $? = 1 ]; then
  wine_arch=x86_64 wine_loader=/usr/lib/wine/wine64 wine_preset=windows-x86_64 wine_build=build-win64
  echo "No 32-bit Wine here ($wine_route_why): the 64-bit build of the same source takes its place."
else
  exit 2
fi
