#!/bin/bash
# Installs what the build and the tests need, skipping what is already there,
# so that `make test` works on a fresh Debian 12 machine without any hand set-up.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev make python3
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
  wine wine64 wine32:i386 g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 xvfb xauth x11-utils fonts-ipafont-gothic locales imagemagick
  fp-utils-3.2.2 zip git
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

# A mirror in the middle of a sync serves some index with the wrong size for a
# while; the rest were read, and what matters is whether the packages install.
update_indexes() {
  local attempt
  for attempt in 1 2 3; do
    if as_root apt-get update -qq </dev/null; then return 0; fi
    [ "$attempt" = 3 ] || sleep "${SETUP_RETRY_PAUSE:-10}"
  done
  echo "setup: some package indexes could not be read (mirror sync in progress?); going on with what was read"
}

install_packages() {
  as_root apt-get install -y -qq --no-install-recommends "$@" </dev/null
}

# While the security archive's amd64 packages are newer than any i386 build
# the lists offer, wine32:i386 cannot be installed beside them (Multi-Arch:
# same packages must match). The main suite alone has matching builds: its
# i386 libraries that apt calls "not installable" are asked for by name, which
# takes their amd64 twins back to the main suite's version (and may take Wine
# out), then Wine is installed again, whole.
install_wine32_from_main_suite() {
  local parts blocked attempt
  parts=$(mktemp -d)
  cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v RS= -v ORS='\n\n' '!/security/' >"$parts/main.sources" || true
  grep -hv security /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null >"$parts/main.list" || true
  local main=(-o Dir::Etc::sourcelist=/dev/null -o Dir::Etc::sourceparts="$parts")
  for attempt in 1 2 3 4; do
    if as_root apt-get "${main[@]}" install -y -qq --no-install-recommends --allow-downgrades \
        wine wine64 wine32:i386 </dev/null >"$parts/log" 2>&1; then
      rm -rf "$parts"
      return 0
    fi
    blocked=$(grep -o '[^ ]*:i386 ([^)]*) but it is not installable' "$parts/log" | cut -d' ' -f1 | sort -u || true)
    [ -n "$blocked" ] || break
    # shellcheck disable=SC2086
    as_root apt-get "${main[@]}" install -y -qq --no-install-recommends --allow-downgrades $blocked \
      </dev/null >/dev/null 2>&1 || break
  done
  rm -rf "$parts"
  # A failed attempt may have taken the 64-bit Wine out: put it back.
  install_packages wine wine64 >/dev/null 2>&1 || true
  return 1
}

# 32-bit Wine runs only the i686 Windows tests, which the x86_64 build carries
# too: when it cannot be installed at all, it is left out and those tests
# report themselves skipped. Anything else missing stops here, named, since
# the native or x86_64 tests need it.
install_missing() {
  if install_packages "${missing[@]}"; then return 0; fi
  local rest=() failed=() p
  for p in "${missing[@]}"; do
    [ "$p" = wine32:i386 ] || rest+=("$p")
  done
  if [ ${#rest[@]} -eq ${#missing[@]} ] || ! install_packages "${rest[@]}"; then
    for p in "${rest[@]}"; do
      install_packages "$p" || failed+=("$p")
    done
  fi
  if [ ${#failed[@]} -gt 0 ]; then
    echo "setup: could not install ${failed[*]}, which the build and tests need" >&2
    exit 1
  fi
  if [ ${#rest[@]} -lt ${#missing[@]} ] && ! install_wine32_from_main_suite; then
    echo "setup: wine32:i386 could not be installed; the i686 Windows tests will report themselves skipped"
  fi
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  update_indexes
  install_missing
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
