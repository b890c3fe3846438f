#!/usr/bin/env bash
# The Windows Installer packages under Wine, in a prefix of this test's own:
#   install_test.sh VERSION X64_BUILD X86_BUILD WORK_DIR
# The x64 build holds both packages; each build gives its script host and font checker.
# Install; repair deleted files and keys; upgrade in place (the older package then
# refuses); the x86 package keeps its control when the x64 one goes; removing both
# leaves registry and files as before; regsvr32 writes exactly the package's COM
# entries. The registry is read from the prefix's files once the Wine server has ended.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
fail() { echo "install_test: FAIL: $*" >&2; exit 1; }
[ $# -eq 4 ] || fail "usage: install_test.sh VERSION X64_BUILD X86_BUILD WORK_DIR"
version=$1 work=$4
declare -A build=([x64]=$2 [x86]=$3)
IFS=. read -r major minor patch <<<"$version"
next=$major.$minor.$((patch + 1))
ocx() { echo "${build[$1]}/src/control/com/Pelikar.ocx"; }
windows_path() { local path; path=$(realpath "$1"); echo "Z:${path//\//\\}"; }

prefix=$work/prefix
export PELIKAR_WINEPREFIX=$prefix
# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
trap '"$WINESERVER" -k 2>/dev/null || true' EXIT
step() { printf 'install_test: [%3ds] %s\n' $SECONDS "$*"; }

# msiexec 0|failure /i|/x PACKAGE: Windows Installer without a window; then the prefix
# settles. (Wine hands on the low byte of a failure: 1603 arrives as 67.)
msiexec() {
  local status=0
  timeout 180 "$WINE" msiexec "$2" "$(windows_path "$3")" /qn || status=$?
  "$WINESERVER" -w
  [ "$1" = 0 ] && [ $status -ne 0 ] && fail "msiexec $2 $3 exited $status"
  [ "$1" = failure ] && [ $status -eq 0 ] && fail "msiexec $2 $3 succeeded"
  return 0
}
msi64=${build[x64]}/packages/Pelikar-$version-x64.msi
msi86=${build[x64]}/packages/Pelikar-$version-x86.msi
msi_next=$work/Pelikar-$next-x64.msi

# host BITNESS installed|missing [known|unknown]: what a program of that bitness finds,
# the control by its ProgID and the fonts' faces.
host() {
  timeout 60 "$WINE" "${build[$1]}/tests/wine/pkscript.exe" \
    "$(windows_path "$here/create_control.vbs")" "$2" || fail "$1: the control is not $2"
  [ -z "${3:-}" ] || timeout 60 "$WINE" "${build[$1]}/tests/install/pelikar_font_faces.exe" "$3" \
    Nivo2 Nivo_Ir || fail "$1: the fonts are not $3"
}

# snapshot NAME: NAME.reg, the registry, and NAME.files, the paths under drive_c.
# The display driver's DriverDateData is written anew at every start of the prefix,
# and Wine's crash reporter writes console settings when one of Wine's own services
# fails (its kernel-driver host now and then does, whatever the packages).
snapshot() {
  "$WINESERVER" -w
  python3 "$here/registry_listing.py" "$prefix" | grep -Ev '\\"DriverDateData"=|^HKCU\\Console(\\|$)' >"$work/$1.reg"
  (cd "$prefix" && find drive_c | LC_ALL=C sort) >"$work/$1.files"
}
# added A B: the lines of snapshot B (reg and files) that A lacks.
added() { cat "$work/$2".{reg,files} | LC_ALL=C sort | LC_ALL=C comm -13 <(cat "$work/$1".{reg,files} | LC_ALL=C sort) -; }
# same A B [FILTER]: equal snapshots, once FILTER (a regular expression) takes out lines.
same() {
  diff <(cat "$work/$1".{reg,files} | grep -Ev "${3:-^$}") \
       <(cat "$work/$2".{reg,files} | grep -Ev "${3:-^$}") >&2 || fail "$1 and $2 differ"
}

# Windows Installer's records of a product: its sources, its codes, its entry in the
# list of programs, its cached package. They change with the version; nothing else may.
records='^HKLM\\Software\\Classes\\Installer\\|^HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\(Installer|Uninstall)\\|^drive_c/windows/Installer/'
# products NAME VERSION: the list of programs holds Pelikar once, at VERSION.
products() {
  local entries
  entries=$(grep -E '\\Uninstall\\\{[^}]+\}\\\\"DisplayName"="Pelikar"$' "$work/$1.reg" || true)
  [ "$(grep -c . <<<"$entries")" = 1 ] || fail "not one Pelikar in the list of programs: $entries"
  grep -Fqx "${entries%%\\\\\"DisplayName*}\\\\\"DisplayVersion\"=\"$2\"" "$work/$1.reg" ||
    fail "the installed product is not version $2"
}

# The first run of Windows Installer in a prefix makes its own folder and keys, and
# its font registration the 32-bit view's fonts key; they stay, empty, as on every
# Windows. Only these may be added by installing and uninstalling, and nothing may go.
platform='drive_c/windows/Installer
HKLM\Software\Classes\Installer\Features
HKLM\Software\Classes\Installer\Products
HKLM\Software\Classes\Installer\UpgradeCodes
HKLM\Software\Microsoft\Windows\CurrentVersion\Installer\UpgradeCodes
HKLM\Software\Microsoft\Windows\CurrentVersion\Installer\UserData\S-1-5-18\Components
HKLM\Software\Microsoft\Windows\CurrentVersion\Installer\UserData\S-1-5-18\Products
HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Fonts'

# ---------------------------------------------------------------------------------
rm -rf "$work"
mkdir -p "$work"
step "a new prefix: $prefix"
"$root/scripts/wine-prefix.sh" >/dev/null
snapshot before

step "install $msi64"
msiexec 0 /i "$msi64"
snapshot installed
products installed "$version"
for machine in x64 x86; do host $machine installed known; done

step "run again after deleting files and keys: a repair"
rm "$prefix/drive_c/Program Files/Pelikar/Pelikar.ocx" "$prefix/drive_c/windows/Fonts/nivo_ir.ttf"
{ "$WINE" reg delete 'HKCR\PelikarLib.Pelikar\CurVer' /f /reg:64 &&
  "$WINE" reg delete 'HKCR\CLSID\{C192A5C2-5059-416A-9146-061C58B0A25D}\InprocServer32' /f /reg:32 &&
  "$WINE" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
    /v 'Nivo2 (TrueType)' /f; } >/dev/null 2>&1 || fail "cannot delete the keys to be repaired"
msiexec 0 /i "$msi64"
snapshot repaired
# The installer notes the package's folder once more among the product's sources.
same installed repaired '\\SourceList\\'

step "upgrade to $next"
"$root/packaging/build_msi.sh" --arch x64 --version "$next" --x86 "$(ocx x86)" --x64 "$(ocx x64)" \
  --fonts "${build[x64]}/fonts" --output "$msi_next" >/dev/null
msiexec 0 /i "$msi_next"
snapshot upgraded
products upgraded "$next"
same installed upgraded "$records"
msiexec failure /i "$msi64"

step "the x86 package beside it, then each removed"
msiexec 0 /i "$msi86"
msiexec 0 /x "$msi_next"
snapshot beside
# The x86 package keeps what it shares with the x64 one: the 32-bit control, the
# ProgIDs and the library's entry, the fonts.
products beside "$version"
host x86 installed known
host x64 missing
msiexec 0 /x "$msi86"
snapshot removed
added removed before | grep . >&2 && fail "uninstalling took these away"
added before removed | grep -Fxv "$platform" >&2 && fail "uninstalling left these behind"
echo "install_test: before/after comparison: empty (the platform's own empty keys and folder aside)"
for machine in x64 x86; do host $machine missing unknown; done

step "the controls' own registration at the installed paths"
for machine in x86 x64; do
  folder="Program Files (x86)" regsvr32='C:\windows\syswow64\regsvr32.exe'
  [ $machine = x64 ] && folder="Program Files" regsvr32=regsvr32
  mkdir -p "$prefix/drive_c/$folder/Pelikar"
  cp "$(ocx $machine)" "$prefix/drive_c/$folder/Pelikar/Pelikar.ocx"
  timeout 60 "$WINE" "$regsvr32" /s "C:\\$folder\\Pelikar\\Pelikar.ocx" || fail "regsvr32 ($machine)"
done
snapshot registered
diff <(added before installed | grep -E '^HKLM\\Software\\Classes\\' | grep -Ev "$records") \
     <(added removed registered | grep -Ev '^drive_c/') >&2 ||
  fail "the package's COM entries ('<') differ from the controls' own ('>')"
echo "install_test: the package's COM entries are the controls' own, $(added removed registered | grep -c '^HKLM') lines"
"$WINESERVER" -k 2>/dev/null || true
rm -rf "$prefix"
step "all passed"
