#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, generates the Persian
# locale that gives Wine the Arabic ANSI code page, and prepares the private Wine
# prefix. Idempotent and quiet; fast when everything is present. Run as root (or
# with sudo available) on Debian 12.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

packages=(
  cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev libicu-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools libwine-dev
  wine wine64 wine32:i386 locales
  fonts-dejavu-core python3-fonttools python3-freetype myspell-fa
  libfribidi-bin
  xvfb x11-apps xdotool
  wixl msitools
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# The 32-bit control runs under the 32-bit half of Wine.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  log=$(mktemp)
  if ! { "${sudo_cmd[@]}" apt-get update -qq &&
         "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "bootstrap: package installation failed" >&2
    exit 1
  fi
  rm -f "$log"
fi

# Wine takes its ANSI code page from the glibc locale, and only from a generated one:
# fa_IR.UTF-8 gives code page 1256.
if ! locale -a 2>/dev/null | grep -qi '^fa_IR\.utf-\?8$'; then
  echo "bootstrap: generating the fa_IR.UTF-8 locale"
  "${sudo_cmd[@]}" localedef -i fa_IR -f UTF-8 fa_IR.UTF-8
fi

"$here/wine-prefix.sh"
