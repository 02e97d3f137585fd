#!/usr/bin/env bash
# Start-up time and resident memory of the game, on a private X display with a window manager.
#
#   bench/startup.sh [GAME_EXECUTABLE] [RUNS]      (default build/game/lumivo, 7 runs)
#
# Start-up: from just before the program is started to its first window shown and drawn, as the
# game itself reports it with LUMIVO_BENCH_STARTUP (median of RUNS runs after one warm-up run).
# Memory: VmRSS of the game on the login window, on the menu, on the Classic play screen (nine
# pictures, the largest screen), and with the web window open (the game alone, and the game with
# the browser engine's helper processes). The game runs from a copy of its folder in a temporary
# folder, so no profile is left behind. Needs xvfb, openbox, xdotool.
set -euo pipefail
exe=$(readlink -f "${1:-build/game/lumivo}")
runs=${2:-7}
for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "manca $tool: apt-get install -y xvfb openbox xdotool" >&2; exit 2; }
done

work=$(mktemp -d)
mkdir -p "$work/game"
cp "$exe" "$work/game/lumivo"
cp -r "$(dirname "$exe")/Data" "$work/game/Data"
mkdir -p "$work/game/Temp" "$work/game/User"
export XDG_DATA_HOME=$work/share XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
export QTWEBENGINE_DISABLE_SANDBOX=1 LUMIVO_SITE=http://127.0.0.1:18642/

disp=:$((200 + RANDOM % 100))
Xvfb "$disp" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 & xpid=$!
export DISPLAY=$disp
sleep 0.5
openbox >/dev/null 2>&1 & wmpid=$!
sleep 0.3
# The game's site beside it, where there is one, so the web window shows a real page.
spid=
site=$(dirname "$exe")/lumivo-site
if [[ -x $site ]]; then
  "$site" --data "$work/game/Data" --db "$work/site.db" --listen 127.0.0.1:18642 >/dev/null 2>&1 & spid=$!
fi
gpid=
cleanup() {
  [[ -n $gpid ]] && kill "$gpid" 2>/dev/null
  [[ -n $spid ]] && kill "$spid" 2>/dev/null
  kill "$wmpid" "$xpid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
mib() { awk -v k="$1" 'BEGIN {printf "%.1f MiB", k / 1024}'; }
# The game and every process it started (the browser engine's helpers).
descendants() {
  local child
  for child in $(pgrep -P "$1" 2>/dev/null); do
    echo "$child"
    descendants "$child"
  done
}
tree_rss_kib() {
  local total=0 pid
  for pid in $1 $(descendants "$1"); do
    [[ -r /proc/$pid/status ]] && total=$((total + $(rss_kib "$pid")))
  done
  echo "$total"
}

# Starts the game and waits for its start-up figure; leaves its pid in gpid and the figure in ms.
start_game() {
  local out=$work/out
  : >"$out"
  LUMIVO_BENCH_STARTUP=$(date +%s%N) "$work/game/lumivo" >"$out" 2>/dev/null & gpid=$!
  for _ in $(seq 200); do
    grep -q '^startup_ms' "$out" && break
    sleep 0.05
  done
  ms=$(awk '/^startup_ms/ {print $2}' "$out")
}
stop_game() { kill "$gpid"; wait "$gpid" 2>/dev/null || true; gpid=; }

start_game
stop_game
times=()
for _ in $(seq "$runs"); do
  start_game
  times+=("$ms")
  sleep 0.3
  stop_game
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}')
echo "start-up to the login window: median ${median} ms over $runs runs (${times[*]})"

start_game
sleep 1
echo "memory on the login window:   $(mib "$(rss_kib "$gpid")")"

# Log in as a new player: name, password, Enter, then Yes to creating the profile.
win=$(xdotool search --sync --onlyvisible --pid "$gpid" | tail -n 1)
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
xdotool mousemove --window "$win" 290 148 click 1 type --delay 20 Banco
xdotool mousemove --window "$win" 290 190 click 1 type --delay 20 prova
xdotool key Return
sleep 1
xdotool key Return
sleep 1.5
echo "memory on the menu:           $(mib "$(rss_kib "$gpid")")"

[[ -n ${LUMIVO_BENCH_SHOTS:-} ]] && import -window root "$LUMIVO_BENCH_SHOTS/menu.png"
# Classic: the selection screen, then its first category.
win=$(xdotool search --onlyvisible --pid "$gpid" | tail -n 1)
xdotool mousemove --window "$win" 110 157 click 1
sleep 1.5
win=$(xdotool search --onlyvisible --pid "$gpid" | tail -n 1)
xdotool mousemove --window "$win" 100 60 click 1
sleep 1.5
# The instructions panel: a click starts the clock and shows the page's nine pictures.
win=$(xdotool search --onlyvisible --pid "$gpid" | tail -n 1)
xdotool mousemove --window "$win" 316 230 click 1
sleep 1.5
[[ -n ${LUMIVO_BENCH_SHOTS:-} ]] && import -window root "$LUMIVO_BENCH_SHOTS/play.png"
echo "memory on the Classic play screen: $(mib "$(rss_kib "$gpid")")"
stop_game

# The web window: the forum link of the menu, on a fresh start of the same player.
start_game
win=$(xdotool search --sync --onlyvisible --pid "$gpid" | tail -n 1)
xdotool mousemove --window "$win" 290 148 click 1 type --delay 20 Banco
xdotool mousemove --window "$win" 290 190 click 1 type --delay 20 prova
xdotool key Return
sleep 1.5
win=$(xdotool search --onlyvisible --pid "$gpid" | tail -n 1)
xdotool mousemove --window "$win" 60 437 click 1
sleep 4
[[ -n ${LUMIVO_BENCH_SHOTS:-} ]] && import -window root "$LUMIVO_BENCH_SHOTS/web.png"
echo "memory with the web window:   $(mib "$(rss_kib "$gpid")") (game), $(mib "$(tree_rss_kib "$gpid")") (with the browser engine's processes)"
