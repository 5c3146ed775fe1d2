# Sourced by the scripts that run Windows executables: the Wine settings that
# keep Wine quiet and from asking for extra installers, and the prefix
# ($WINEPREFIX, default build/windows/wineprefix), made once with wineboot.
export WINEPREFIX="${WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/windows/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
fi
