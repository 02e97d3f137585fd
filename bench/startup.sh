#!/usr/bin/env bash
# Start-up time and resident memory of the game against a bare Qt window, on a private X display
# with a window manager.
#
#   bench/startup.sh [GAME_EXECUTABLE] [RUNS]      (default build/game/lumivo, 9 runs)
#
# Start-up: from just before a program is started to its first window shown and drawn, as it
# reports it with LUMIVO_BENCH_STARTUP. The game and bench_bare_login (build/bench/, a bare Qt
# Widgets window with the login window's widgets) are started in turn, RUNS times each after one
# warm-up run each; the ratio is of the medians. Memory: VmRSS of both on their first window, then
# of the game on the menu, on the Classic play screen (nine pictures, the largest screen) and with
# the web window open (the game alone, and with lumivo-web and the browser engine's processes).
# The web window: how long from the click on the menu's forum link to the window on screen (a
# fresh game each time). The game runs from a copy of its folder in a temporary folder, so no
# profile is left behind. Needs xvfb, openbox, xdotool.
set -euo pipefail
exe=$(readlink -f "${1:-build/game/lumivo}")
runs=${2:-9}
bare=$(readlink -f "$(dirname "$exe")/../bench/bench_bare_login")
for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "manca $tool: apt-get install -y xvfb openbox xdotool" >&2; exit 2; }
done
[[ -x $bare ]] || { echo "manca $bare: cmake --build build --target bench_bare_login" >&2; exit 2; }

work=$(mktemp -d)
mkdir -p "$work/game"
cp "$exe" "$work/game/lumivo"
web=$(dirname "$exe")/lumivo-web
[[ -x $web ]] && cp "$web" "$work/game/lumivo-web"
cp -r "$(dirname "$exe")/Data" "$work/game/Data"
mkdir -p "$work/game/Temp" "$work/game/User"
export XDG_DATA_HOME=$work/share XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
export LUMIVO_SITE=http://127.0.0.1:18642/

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

now_ns() { date +%s%N; }
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
mib() { awk -v k="$1" 'BEGIN {printf "%.1f MiB", k / 1024}'; }
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
# A process and every process it started (lumivo-web and the browser engine's helpers).
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

# Processor time of a process's threads so far, in ms: a figure that other work on the machine
# disturbs less than the time on the clock.
cpu_ms() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ns += $1} END {printf "%.1f", ns / 1e6}'; }
# Starts a program and waits for its start-up figure; leaves its pid in gpid, the figure in ms
# and its processor time by then in cpu.
start() {
  local out=$work/out
  : >"$out"
  LUMIVO_BENCH_STARTUP=$(now_ns) "$1" >"$out" 2>/dev/null & gpid=$!
  for _ in $(seq 400); do
    grep -q '^startup_ms' "$out" && break
    sleep 0.025
  done
  ms=$(awk '/^startup_ms/ {print $2}' "$out")
  cpu=$(cpu_ms "$gpid")
}
stop() { kill "$gpid"; wait "$gpid" 2>/dev/null || true; gpid=; }

start "$work/game/lumivo"; stop
start "$bare"; stop
game_times=() bare_times=() game_cpu=() bare_cpu=()
for _ in $(seq "$runs"); do
  start "$work/game/lumivo"; game_times+=("$ms"); game_cpu+=("$cpu"); sleep 0.2; stop
  start "$bare"; bare_times+=("$ms"); bare_cpu+=("$cpu"); sleep 0.2; stop
done
game_median=$(median "${game_times[@]}")
bare_median=$(median "${bare_times[@]}")
echo "start-up to the login window: median ${game_median} ms over $runs runs (${game_times[*]})"
echo "start-up of the bare window:  median ${bare_median} ms over $runs runs (${bare_times[*]})"
awk -v g="$game_median" -v b="$bare_median" 'BEGIN {printf "start-up ratio game / bare:   %.2f\n", g / b}'
awk -v g="$(median "${game_cpu[@]}")" -v b="$(median "${bare_cpu[@]}")" \
  'BEGIN {printf "processor time by then:       game %.1f ms, bare %.1f ms (medians), ratio %.2f\n", g, b, g / b}'

start "$bare"
sleep 1
bare_kib=$(rss_kib "$gpid")
stop
start "$work/game/lumivo"
sleep 1
game_kib=$(rss_kib "$gpid")
echo "memory on the login window:   $(mib "$game_kib") (bare window $(mib "$bare_kib"), $(mib $((game_kib - bare_kib))) more)"

login() {
  local win
  win=$(xdotool search --sync --onlyvisible --pid "$gpid" | tail -n 1)
  xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
  xdotool mousemove --window "$win" 290 148 click 1 type --delay 20 Banco
  xdotool mousemove --window "$win" 290 190 click 1 type --delay 20 prova
  xdotool key Return
  sleep 1
}
# Log in as a new player: name, password, Enter, then Yes to creating the profile.
login
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
stop

[[ -x $work/game/lumivo-web ]] || exit 0
# The web window: the forum link of the menu, on a fresh start of the same player, timed from
# the click to the window mapped.
web_times=()
for run in 1 2 3; do
  start "$work/game/lumivo"
  login
  win=$(xdotool search --onlyvisible --pid "$gpid" | tail -n 1)
  xdotool mousemove --window "$win" 60 437
  clicked=$(now_ns)
  xdotool click 1
  # The web window's caption in Italian or in English (LUMIVO_LANG=en).
  until xdotool search --onlyvisible --name 'Lumivo Pro - Web ?Browser' >/dev/null 2>&1; do
    (($(now_ns) - clicked < 20000000000)) || break
    sleep 0.01
  done
  web_times+=("$((($(now_ns) - clicked) / 1000000))")
  if ((run == 3)); then
    sleep 3
    [[ -n ${LUMIVO_BENCH_SHOTS:-} ]] && import -window root "$LUMIVO_BENCH_SHOTS/web.png"
    echo "memory with the web window:   $(mib "$(rss_kib "$gpid")") (game), $(mib "$(tree_rss_kib "$gpid")") (with lumivo-web and the browser engine's processes)"
  fi
  stop
  sleep 0.5
done
echo "web window on screen after the click: median $(median "${web_times[@]}") ms (${web_times[*]})"
