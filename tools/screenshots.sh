#!/usr/bin/env bash
# Walks the program through a CSV file of outlets run from ファイル > 一括計算（CSV）... (the
# menu, the file dialogs, the progress window and the closing message), a low outlet
# computed on the case A and B screens, the example outlet computed on the case D screen
# (outlet 30 m, building 10 m) and a wet flow on the case C screen, and saves a PNG of
# every window it passes, as the X server shows it; a dialog can also be laid over its
# screen ("compose NAME BASE TOP").
# Fails when a window's client area comes out blank.
#   tools/screenshots.sh PROGRAM DRIVER OUTDIR      (needs a display: tools/with-display)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$1 driver=$2 out=$3
mkdir -p "$out"
rm -f "$out"/*.png

coproc WALK { timeout 300 "$root/tools/wine-run" "$driver" walk "$program" 2>/dev/null; }
walk_out=${WALK[0]} walk_in=${WALK[1]} walk_pid=$WALK_PID
status=0 shots=0
declare -A left top
while IFS= read -r line <&"$walk_out"; do
  line=${line%$'\r'}
  case $line in
    shot\ *)
      read -r _ name wl wt wr wb cl ct cr cb <<<"$line"
      # Read from the window itself: where windows overlap, Xvfb keeps the upper one's
      # content in its backing store and the root window shows black there.
      geometry="$((wr - wl))x$((wb - wt))+$wl+$wt"
      id=$(xwininfo -root -tree | awk -v g=" $geometry " 'index($0, g) {print $1; exit}')
      if [[ -z $id ]]; then
        echo "no X window at $geometry for $name"
        status=1
        echo next >&"$walk_in"
        continue
      fi
      xwd -id "$id" -silent >"$out/.window.xwd"
      convert "$out/.window.xwd" "$out/$name.png"
      colours=$(convert "$out/.window.xwd" -crop "$((cr - cl))x$((cb - ct))+$((cl - wl))+$((ct - wt))" \
        +repage -format %k info:)
      if (( colours < 4 )); then
        echo "blank: $name has $colours colours"
        status=1
      fi
      echo "$out/$name.png ($colours colours)"
      left[$name]=$wl top[$name]=$wt
      shots=$((shots + 1))
      echo next >&"$walk_in"
      ;;
    compose\ *)
      # A dialog over its screen: the two pictures laid where the windows stand.
      read -r _ name base upper <<<"$line"
      if [[ -f $out/$base.png && -f $out/$upper.png ]]; then
        convert "$out/$base.png" "$out/$upper.png" \
          -geometry "+$((left[$upper] - left[$base]))+$((top[$upper] - top[$base]))" -composite \
          "$out/$name.png"
        echo "$out/$name.png ($upper over $base)"
      else
        echo "no $base or $upper picture for $name"
        status=1
      fi
      echo next >&"$walk_in"
      ;;
    *) echo "$line" ;;
  esac
done
wait "$walk_pid" || status=1
rm -f "$out/.window.xwd"
if (( shots == 0 )); then
  echo "no screenshot taken"
  status=1
fi
exit $status
