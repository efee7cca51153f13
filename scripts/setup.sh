#!/bin/bash
# Installs what the build and the tests need, skipping what is already there,
# so that `make test` works on a fresh Debian 12 machine without any hand set-up.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev make python3
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
  wine wine64 wine32:i386 g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 xvfb xauth x11-utils fonts-ipafont-gothic locales imagemagick
  fp-utils-3.2.2 zip
  chromium
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo -n "$@"; fi
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -qq </dev/null
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi

# Wine takes its ANSI code page from the glibc locale; without a generated
# ja_JP.UTF-8 it silently runs with 1252 instead of 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  as_root localedef -i ja_JP -f UTF-8 ja_JP.UTF-8 || true
fi
if ! locale -a 2>/dev/null | grep -qi '^en_US\.utf-\?8$'; then
  as_root localedef -i en_US -f UTF-8 en_US.UTF-8 || true
fi
# axe-core checks the HTML player for accessibility faults in the browser
# test; from the npm registry, kept in the build folder.
AXE_VERSION=4.14.1
AXE_DIR="$(cd "$(dirname "$0")/.." && pwd)/build/axe"
if [ ! -f "$AXE_DIR/node_modules/axe-core/axe.min.js" ] || \
   ! grep -q "\"version\": \"$AXE_VERSION\"" "$AXE_DIR/node_modules/axe-core/package.json" 2>/dev/null; then
  if ! command -v npm >/dev/null; then
    as_root apt-get install -y -qq --no-install-recommends nodejs npm </dev/null
  fi
  echo "setup: installing axe-core $AXE_VERSION"
  mkdir -p "$AXE_DIR"
  npm install --prefix "$AXE_DIR" --no-save --no-audit --no-fund --loglevel=error "axe-core@$AXE_VERSION" </dev/null
fi
echo "setup: all packages present"
