# Sourced by every script that runs Wine: the project's private, headless prefix.
# shellcheck shell=bash
pelikar_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${PELIKAR_WINEPREFIX:-$pelikar_root/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=${PELIKAR_WINEDEBUG:--all}
# Never offer to install Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
# Debian's wine runs 64-bit and, with wine32 installed, 32-bit programs alike.
WINE="$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)"
[ -x "$WINE" ] || WINE=/usr/lib/wine/wine64
WINESERVER="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver
export WINE WINESERVER
