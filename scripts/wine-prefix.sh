#!/usr/bin/env bash
# Creates the private Wine prefix once: 64-bit with the 32-bit half (syswow64), null
# graphics driver (no display needed), no crash dialog, no window-manager waits. A
# prefix that is already prepared is kept; one made before the 32-bit half was
# installed is made anew.
set -euo pipefail
# shellcheck source=wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

stamp="$WINEPREFIX/.pelikar-prepared-wow64"
[ -f "$stamp" ] && exit 0
if [ -d "$WINEPREFIX" ]; then
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
fi

echo "bootstrap: preparing the Wine prefix $WINEPREFIX"
mkdir -p "$WINEPREFIX"
"$WINE" wineboot -i >/dev/null 2>&1
"$WINESERVER" -w
reg() { "$WINE" reg add "$@" /f >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
"$WINESERVER" -w
touch "$stamp"
