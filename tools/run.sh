#!/usr/bin/env bash
# Starts the Windows program under Wine (`make run` builds it first).
# On a display: the program, on that display. Without one: a virtual display, on which the
# program is walked through a low outlet computed on the case A and B screens, the example
# outlet computed on the case D screen and a wet flow on the case C screen, and every
# window it passes is saved as a PNG.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KAMORTE_WIN_BUILD:-$root/build/win}
program=$build/app/kamorte.exe
driver=$build/tests/win/kamorte_driver.exe

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$root/tools/wine-run" "$program"
fi

out=$root/build/screenshots
echo "no display: walking cases A, B, D and C on a virtual display"
"$root/tools/with-display" bash "$root/tools/screenshots.sh" "$program" "$driver" "$out"
echo "screenshots of every screen passed: $out/"
