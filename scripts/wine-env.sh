# Sourced by the scripts that run Windows executables: the Wine settings that
# keep Wine quiet and from asking for extra installers, and the prefix
# ($WINEPREFIX, default build/windows/wineprefix), made once with wineboot.
#
# Making the prefix starts a Wine server and a desktop process. Started without
# a display, they would make every window opened while they live fail ("no
# driver could be loaded"), so the set-up waits for the server to end before
# anything else runs in the prefix.
export WINEPREFIX="${WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/windows/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ] || ! grep -q '"Segoe UI"="Liberation Sans"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
  # Wine has no font close to the window's "Segoe UI"; Liberation Sans
  # (fonts-liberation2) has nearly the same widths, so the texts fit their boxes.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Segoe UI' /d 'Liberation Sans' /f </dev/null >/dev/null 2>&1
  wineserver -w
fi
