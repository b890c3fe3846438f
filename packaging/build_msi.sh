#!/usr/bin/env bash
# Builds the Windows Installer package of Pelikar with wixl (Debian's wixl, from
# msitools) from pelikar.wxs.
#   build_msi.sh --arch x64|x86 --version X.Y.Z --x86 PATH/Pelikar.ocx
#                [--x64 PATH/Pelikar.ocx] --fonts DIR --output FILE.msi
# --arch x64 makes the package for 64-bit Windows, with both controls (it needs
# --x64); x86 the one for 32-bit Windows, with the 32-bit control. DIR holds
# nivo2.ttf, nivo_ir.ttf and LICENSE-DejaVu.txt (a build's fonts/ folder).
#
# wixl knows no Font table and leaves the File table's versions empty; both are
# filled in here with msibuild: the fonts' rows and the actions that register them,
# and each control's version read from its version resource.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

fail() { echo "build_msi: $*" >&2; exit 1; }

arch= version= x86= x64= fonts= output=
while [ $# -gt 0 ]; do
  [ $# -ge 2 ] || fail "$1 needs a value"
  case $1 in
    --arch) arch=$2 ;;
    --version) version=$2 ;;
    --x86) x86=$2 ;;
    --x64) x64=$2 ;;
    --fonts) fonts=$2 ;;
    --output) output=$2 ;;
    *) fail "unknown option $1" ;;
  esac
  shift 2
done

# One upgrade code for each package's line of versions: a newer x64 package replaces
# an older x64 one, likewise for x86.
case $arch in
  x64) upgrade_code=EE21A33C-AB2D-45B0-A188-B2BFD467545C ;;
  x86) upgrade_code=BFCE9328-7629-4B96-BC95-014DB2C2081E ;;
  *) fail "--arch must be x64 or x86" ;;
esac
# A product version is major.minor.build with major and minor below 256 and build
# below 65536; Windows Installer compares only these three fields.
[[ $version =~ ^([0-9]{1,3})\.([0-9]{1,3})\.([0-9]{1,5})$ ]] ||
  fail "--version must be major.minor.patch, not '$version'"
major=$((10#${BASH_REMATCH[1]})) minor=$((10#${BASH_REMATCH[2]})) patch=$((10#${BASH_REMATCH[3]}))
[ $major -le 255 ] && [ $minor -le 255 ] && [ $patch -le 65535 ] ||
  fail "version $version is out of range (255.255.65535 at most)"
[ -n "$output" ] || fail "--output is missing"
[ -n "$fonts" ] || fail "--fonts is missing"
for file in nivo2.ttf nivo_ir.ttf LICENSE-DejaVu.txt; do
  [ -f "$fonts/$file" ] || fail "no $file in $fonts"
done

# Each control must be the build for its processor: a swapped file would register
# under the wrong view and never load.
controls=(x86)
[ "$arch" = x64 ] && controls+=(x64)
declare -A control_version
for machine in "${controls[@]}"; do
  path=${!machine}
  [ -n "$path" ] || fail "--$machine is missing"
  [ -f "$path" ] || fail "no such file: $path"
  read -r file_version file_machine < <(python3 "$here/pe_info.py" "$path") ||
    fail "cannot read $path"
  [ "$file_machine" = "$machine" ] || fail "$path is built for $file_machine, not $machine"
  # The package registers the type library under its own major.minor, which must be
  # the library the control holds (the build gives both the project's version).
  [[ $file_version == "$major.$minor".* ]] ||
    fail "$path is version $file_version: its type library is not the package's $major.$minor"
  control_version[$machine]=$file_version
done

for tool in wixl msibuild i686-w64-mingw32-strip x86_64-w64-mingw32-strip; do
  command -v "$tool" >/dev/null || fail "$tool not found: install wixl and msitools (scripts/bootstrap.sh does)"
done

# The product code follows from the version: a package of the same version, built
# again, is the same product, which Windows Installer repairs instead of installing
# a second copy beside it.
product_code=$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
  "$upgrade_code" "$version")

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/fonts"
cp "$fonts/nivo2.ttf" "$fonts/nivo_ir.ttf" "$stage/fonts/"
cp "$fonts/LICENSE-DejaVu.txt" "$stage/"
# The controls go without their debug information, which is most of a build's file.
declare -A strip_tool=([x86]=i686-w64-mingw32-strip [x64]=x86_64-w64-mingw32-strip)
for machine in "${controls[@]}"; do
  mkdir "$stage/$machine"
  "${strip_tool[$machine]}" --strip-debug -o "$stage/$machine/Pelikar.ocx" "${!machine}" ||
    fail "cannot strip ${!machine}"
done

package="$stage/package.msi"
# wixl finds the sources relative to the folder it runs in.
if ! (cd "$stage" && wixl --arch "$arch" --includedir "$here" \
        -D Arch="$arch" -D Version="$version" -D ProductCode="$product_code" \
        -D UpgradeCode="$upgrade_code" -D LibraryVersion="$major.$minor" \
        -o "$package" "$here/pelikar.wxs" >"$stage/wixl.log" 2>&1) ||
   grep -q -E 'CRITICAL|WARNING' "$stage/wixl.log"; then
  cat "$stage/wixl.log" >&2
  fail "wixl failed"
fi

queries=(
  # The fonts: their titles come from the font files.
  'CREATE TABLE `Font` (`File_` CHAR(72) NOT NULL, `FontTitle` CHAR(128) PRIMARY KEY `File_`)'
  "INSERT INTO \`Font\` (\`File_\`) VALUES ('FontNivo2')"
  "INSERT INTO \`Font\` (\`File_\`) VALUES ('FontNivoIr')"
  # At their usual places: unregistered before files are removed, registered after
  # they are installed.
  "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('UnregisterFonts', 2500)"
  "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('RegisterFonts', 5300)"
  # The Fonts folder is the system's: RemoveFolders would take it away when it is
  # empty, as it is in a new Wine prefix. Its only row is that folder's (see
  # pelikar.wxs), so it goes.
  "DELETE FROM \`InstallExecuteSequence\` WHERE \`Action\` = 'RemoveFolders'"
)
# A versioned file carries its version (and language) and no hash.
for machine in "${controls[@]}"; do
  id=Ocx32
  [ "$machine" = x64 ] && id=Ocx64
  queries+=(
    "UPDATE \`File\` SET \`Version\` = '${control_version[$machine]}', \`Language\` = '1033' WHERE \`File\` = '$id'"
    "DELETE FROM \`MsiFileHash\` WHERE \`File_\` = '$id'"
  )
done
arguments=()
for query in "${queries[@]}"; do arguments+=(-q "$query"); done
msibuild "$package" "${arguments[@]}" || fail "msibuild failed"

mkdir -p "$(dirname "$output")"
mv "$package" "$output"
echo "build_msi: $output (Pelikar $version, $arch)"
