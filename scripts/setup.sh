#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and
# the npm packages of the web page and its browser tests (package-lock.json).
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(
  cmake g++ make libgtest-dev googletest libbenchmark-dev libcli11-dev libfast-float-dev nlohmann-json3-dev
  libtomlplusplus-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  wine wine64 xvfb xauth xdotool imagemagick fonts-liberation2 nsis
  clang-14 libclang-rt-14-dev
  clang-16 lld-16 wasi-libc libc++-16-dev-wasm32 libc++abi-16-dev-wasm32 libclang-rt-16-dev-wasm32
  chromium poppler-utils python3
)
# Node runs the WebAssembly build. Debian's nodejs and npm only where the
# commands are missing: a Node from elsewhere brings its own npm, with which
# Debian's npm package conflicts.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The npm packages, as the lock file pins them; again only when it changed.
root=$(cd "$(dirname "$0")/.." && pwd)
if ! cmp -s "$root/package-lock.json" "$root/node_modules/.tandrel-package-lock.json"; then
  echo "setup: installing the npm packages (npm ci)"
  (cd "$root" && npm ci --no-audit --no-fund --loglevel=error >/dev/null &&
    cp package-lock.json node_modules/.tandrel-package-lock.json)
fi
