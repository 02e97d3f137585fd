#!/usr/bin/env bash
# The whole game as a player meets it: the real lumivo on a private X display (Xvfb + openbox),
# driven by xdotool, on a scratch copy of the game folder GAME_DIR (build/game, only read).
#   run.sh GAME_DIR [SHOTS_DIR]
# Two runs of the game share one new player, who plays by keyboard alone:
#   1. the login, the new player made, the menu; a starting Classic category (the smallest with
#      plain ASCII titles) reached with Tab and won by typing its titles with Tab between them,
#      page by page; Escape back to the selection screen and to the menu;
#   2. Alpha written into the profile as open: reached on the menu with the arrow keys, opened and
#      its panel closed with Return, its clock running in the caption; then a pack removed from
#      Data/ downloaded again from a running lumivo-site (GAME_DIR's), all by keyboard: Down to
#      "Aggiornamenti", Return, Down to the category's link, Return, Return on "Download".
# The profile's states and times are checked along the way. A failing step is named on stderr and
# leaves a screenshot, the logs and the profile in SHOTS_DIR (default: e2e-shots beside GAME_DIR).
# Exit status 77: Xvfb, openbox, xdotool, ImageMagick or xprop (x11-utils) are not installed.
set -u
export LC_ALL=C.UTF-8

source_dir=$(cd "${1:?usage: run.sh GAME_DIR [SHOTS_DIR]}" && pwd)
shots=${2:-$(dirname "$source_dir")/e2e-shots}
for tool in Xvfb openbox xdotool import xprop; do
  command -v "$tool" >/dev/null && continue
  echo "SKIP: $tool is not installed (apt-get install xvfb openbox xdotool imagemagick x11-utils)"
  exit 77
done

readonly Player="Collaudo E2E" RecordSize=45
readonly Wait=20 # seconds any one thing may take on a busy machine
work=$(mktemp -d "${TMPDIR:-/tmp}/lumivo-e2e.XXXXXX")
game=$work/game
profile=$game/User/$Player.lmp
step="preparing"
xvfb_pid="" wm_pid="" game_pid="" site_pid=""

cleanup() {
  for pid in $game_pid $site_pid $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP PIPE

fail() {
  echo "E2E FAILED at step '$step': $* (screenshot and logs in $shots)" >&2
  mkdir -p "$shots"
  [[ -n ${DISPLAY:-} ]] && import -window root "$shots/failed.png" 2>/dev/null
  cp "$work"/*.log "$shots/" 2>/dev/null
  [[ -f $profile ]] && cp "$profile" "$shots/profile.lmp"
  exit 1
}
begin() { step=$1 && echo "[$(printf %3d $SECONDS)s] $step"; }

# until_true SECONDS COMMAND...: runs COMMAND every tenth of a second until it succeeds.
until_true() {
  local limit=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < limit)) || return 1
    sleep 0.1
  done
}

# Waits for the visible window whose caption matches REGEX, its id in $win; searched again and again,
# as a window that goes while xdotool walks the tree ends `search --sync` with an X error.
window() {
  find_window() { win=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1) && [[ -n $win ]]; }
  until_true "$Wait" find_window "$1" || fail "no window with caption matching '$1'"
}
no_window() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
is_active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
activate() {
  timeout "$Wait" xdotool windowactivate --sync "$1" >/dev/null 2>&1
  until_true "$Wait" is_active "$1" || fail "window $1 does not become active"
}
# A character the keyboard map lacks (an accented letter) xdotool types through a spare key mapped
# for that moment, which a busy game can miss: the test prefers titles in plain ASCII.
type_text() { xdotool type --delay "${2:-20}" -- "$1"; }

# RGB of one pixel of a window, as "R G B".
pixel() {
  import -window "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | head -n 1
}
# The instruction panel's cream at every one of the given points: it covers the pictures.
panel_shown() {
  local w=$1 r g b
  shift
  while [[ $# -gt 0 ]]; do
    read -r r g b <<<"$(pixel "$w" "$1" "$2")"
    [[ -n $b ]] && ((r >= 0xf0 && g >= 0xe6 && b >= 0xc8 && b <= 0xf4 && r - b >= 8)) || return 1
    shift 2
  done
}
panel_gone() { ! panel_shown "$@"; }
# dismiss_panel WINDOW KEY POINTS...: takes the instructions away with the key, not within the
# double-click time of the screen opening, which the screen rightly ignores; again if it came too
# soon all the same.
dismiss_panel() {
  local w=$1 key=$2 tries
  shift 2
  until_true "$Wait" panel_shown "$w" "$@" || fail "the instructions panel is not shown"
  sleep 0.6
  for tries in 1 2 3; do
    xdotool key "$key"
    until_true 2 panel_gone "$w" "$@" && return 0
  done
  fail "$key does not close the instructions panel"
}
# The keyboard's focus frame around the picture at X Y: the links' blue just outside its edge.
focus_on() { [[ $(pixel "$1" $(($2 - 2)) $(($3 + 50))) == "0 0 255" ]]; }

# ---- the profile: records of 45 bytes, a text one being its 16-bit length and its bytes ----------

write_record() { # RECORD TEXT
  { printf "\\x$(printf %02x ${#2})\\x00%s" "$2" && head -c $((RecordSize - 2 - ${#2})) /dev/zero; } |
    dd of="$profile" bs=$RecordSize seek=$(($1 - 1)) iflag=fullblock conv=notrunc status=none ||
    fail "cannot write record $1 of the profile"
}
record_text() { # RECORD
  local offset=$((($1 - 1) * RecordSize)) length
  length=$(od -An -tu2 -N2 -j "$offset" "$profile" 2>/dev/null | tr -d ' ')
  [[ -n $length ]] && ((length <= 43)) && tail -c +$((offset + 3)) "$profile" | head -c "$length"
}
item_solved() { [[ $(od -An -td2 -N2 -j $(((99 + $1) * RecordSize)) "$profile" 2>/dev/null | tr -d ' ') == 1 ]]; }
category_state() { record_text 4 | cut -d'|' -f"$1"; }
# check_profile GROUPS TIMES: the game types' states as written; each time "0" where none was
# counted, "+" where some was.
check_profile() {
  [[ $(record_text 3) == "$1" ]] || fail "the game types read '$(record_text 3)', not '$1'"
  [[ $(record_text 5 | sed -E 's/0{6}/0/g; s/[0-9]{6}/+/g') == "$2" ]] || fail "the times read '$(record_text 5)'"
}

# ---- the content ----------------------------------------------------------------------------

declare -A count name base title # title: "category:picture"
list_content() {
  local line category="" total=0 c
  while IFS= read -r line; do
    if [[ $line =~ ^([0-9]{2})\ (.*):\ ([0-9]+)\ immagini ]]; then
      category=$((10#${BASH_REMATCH[1]}))
      name[$category]=${BASH_REMATCH[2]}
      count[$category]=${BASH_REMATCH[3]}
    elif [[ -n $category && $line =~ ^\ +([0-9]+)\ (.*)$ ]]; then
      title[$category:${BASH_REMATCH[1]}]=${BASH_REMATCH[2]}
    fi
  done < <("$source_dir/lumivo-pack" list "$game/Data")
  for ((c = 1; c <= 20; c++)); do
    [[ -n ${count[$c]:-} ]] || fail "lumivo-pack list names no category $c"
    base[$c]=$total
    total=$((total + count[$c]))
  done
}
# Of the given categories, the smallest whose titles are plain ASCII, else the first.
easiest_of() {
  local best="" c p plain
  for c in "$@"; do
    plain=yes
    for ((p = 1; p <= count[$c]; p++)); do [[ ${title[$c:$p]} =~ ^[\ -~]*$ ]] || plain=""; done
    [[ -n $plain ]] && [[ -z $best || ${count[$c]} -lt ${count[$best]} ]] && best=$c
  done
  echo "${best:-$1}"
}

# Types every title of CATEGORY, the first box having the focus, with Tab between them: the caret
# stays in the solved box and Tab leads to the next. Each solve must reach the profile. A title not
# taken is typed once more, slowly, over the first try: the test's keys can be lost on a busy
# machine, a fault of the game would not go. With PAGED, nine pictures a page: after each ninth
# Page Down turns to the next page, whose first box takes the focus.
type_titles() {
  local category=$1 paged=${2:-} p picture text
  for ((p = 1; p <= count[$category]; p++)); do
    picture=$((base[$category] + p))
    text=${title[$category:$p]}
    type_text "$text"
    if ! until_true 5 item_solved "$picture"; then
      echo "       '$text' not taken at first: typed again, slowly"
      xdotool key ctrl+a BackSpace
      type_text "$text" 120
      until_true "$Wait" item_solved "$picture" || fail "the title '$text' in box $p does not solve it"
    fi
    ((p == count[$category])) && break
    if [[ -n $paged ]] && ((p % 9 == 0)); then xdotool key Page_Down; else xdotool key Tab; fi
  done
}

# ---- the display and the game ---------------------------------------------------------------

# A display of its own, the number chosen by the server itself (-displayfd), then the window
# manager. -noreset: the server would start afresh as the probe below disconnects.
start_display() {
  Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  until_true "$Wait" grep -q '[0-9]' "$work/display" || fail "Xvfb does not start"
  export DISPLAY=:$(head -n 1 "$work/display")
  until_true "$Wait" xprop -root >/dev/null 2>&1 || fail "Xvfb does not answer"
  openbox >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  until_true "$Wait" eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
    fail "openbox does not start"
  xdotool mousemove 0 0 # no tooltip over what the test looks at
}

# The site, serving a copy of the game's Data folder, on a port of its own choosing.
start_site() {
  cp -a "$game/Data" "$work/site-data"
  "$source_dir/lumivo-site" --data "$work/site-data" --db "$work/site.db" --listen 127.0.0.1:0 \
    >"$work/site.log" 2>&1 &
  site_pid=$!
  until_true "$Wait" test -s "$work/site.log" || fail "lumivo-site prints no address"
  local address
  address=$(head -n 1 "$work/site.log")
  [[ $address =~ ^127\.0\.0\.1:[0-9]+$ ]] || fail "lumivo-site says '$address'"
  site_url="http://$address/"
}

# Starts the game and logs the player in by keyboard; NEW "yes" answers the creation question.
login() { # RUN NEW
  local splash
  QT_QPA_PLATFORM=xcb "$game/lumivo" --site "$site_url" >"$work/game-$1.log" 2>&1 &
  game_pid=$!
  window '^Lumivo Pro$'
  splash=$win
  activate "$splash"
  type_text "$Player"
  xdotool key Tab
  type_text "ciak-42"
  xdotool key Return
  if [[ $2 == yes ]]; then
    until_true "$Wait" eval '[[ $(xdotool getactivewindow 2>/dev/null) != "$splash" ]] && \
      xdotool getactivewindow getwindowname 2>/dev/null | grep -qx "Lumivo Pro"' ||
      fail "no question about creating the player"
    [[ ! -e $profile ]] || fail "the profile exists before the question is answered"
    xdotool key Return
  fi
  window '^Selezione tipo di gioco$'
  menu=$win
  until_true "$Wait" no_window '^Lumivo Pro$' || fail "the login window stays open"
}

# Closes the menu, the last window, with the window manager's Alt+F4: the game ends.
quit() {
  window '^Selezione tipo di gioco$'
  activate "$win"
  xdotool key alt+F4
  until_true "$Wait" eval '! kill -0 $game_pid 2>/dev/null' || fail "the game does not end with its menu"
  wait "$game_pid" || fail "the game ended with status $?"
  game_pid=""
}

# ---- the test ---------------------------------------------------------------------------------

rm -f "$shots"/*.png "$shots"/*.log "$shots"/profile.lmp # an earlier failure's would pass for this one's
mkdir -p "$game"
cp -a "$source_dir/lumivo" "$source_dir/Data" "$game/" || fail "cannot copy $source_dir"
list_content
start_display
start_site
classic=$(easiest_of 1 5 7 8)
tx=$((8 + (classic - 1) % 3 * 208)) ty=$((8 + (classic - 1) / 3 * 104)) # its thumbnail's corner

begin "run 1: a new player logs in by keyboard"
login 1 yes
check_profile "1|0|0|0" "0|0|0|0"

begin "the Classic selection screen, by Return on the menu; ${name[$classic]} reached with Tab"
activate "$menu"
xdotool key Return
window '^Classic$'
selection=$win
until_true "$Wait" focus_on "$selection" 8 8 || fail "the first open category has no focus frame"
for c in 1 5 7 8; do # the open starting categories in reading order, the first with the focus
  ((c == classic)) && break
  xdotool key Tab
done
until_true "$Wait" focus_on "$selection" "$tx" "$ty" || fail "Tab does not bring the focus frame there"

begin "Classic ${name[$classic]}: opened with Return, its titles typed"
xdotool key Return
window "^Classic: ${name[$classic]}\$"
play=$win
activate "$play"
dismiss_panel "$play" Return 20 100 20 240 20 400 610 240
type_titles "$classic" paged
until_true "$Wait" eval '[[ $(category_state $classic) == 2 ]]' || fail "the category is not won"
until_true "$Wait" panel_shown "$play" 20 100 20 240 20 400 610 240 || fail "no winning message"

begin "Escape: back to the Classic selection screen and to the menu"
check_profile "1|0|0|0" "+|0|0|0"
activate "$play"
xdotool key Escape
window '^Classic$'
activate "$win"
xdotool key Escape
quit

begin "run 2: Alpha written as open, reached on the menu with Down, its panel closed with Return"
write_record 3 "1|1|1|0"
login 2 no
activate "$menu"
until_true "$Wait" focus_on "$menu" 8 80 || fail "Classic has no focus frame on the menu"
xdotool key Down
until_true "$Wait" focus_on "$menu" 8 240 || fail "Down does not bring the focus frame to Alpha"
xdotool key Return
window '^Alpha'
play=$win
activate "$play"
dismiss_panel "$play" Return 20 100 670 100 20 350 670 350
window '^Alpha: 0:00:0[1-9]$'
xdotool key Escape

update=2 # the second download link, below the first
pack=$(printf %04d $update).lvd
begin "the download of a removed pack, ${name[$update]}, by keyboard"
rm "$game/Data/$pack" || fail "cannot remove Data/$pack"
window '^Selezione tipo di gioco$'
menu=$win
activate "$menu"
until_true "$Wait" focus_on "$menu" 8 240 || fail "the menu does not remember Alpha"
xdotool key Down Down Return Down Return # the banner, "Aggiornamenti"; its panel's second link
window '^Download: '
download=$win
[[ $(xdotool getwindowname "$download") == "Download: ${name[$update]}" ]] ||
  fail "the download window is for '$(xdotool getwindowname "$download")'"
activate "$download"
xdotool key Return
until_true 30 cmp -s "$work/site-data/$pack" "$game/Data/$pack" || fail "Data/$pack is not restored"
[[ $(ls "$game/Data") == $(ls "$work/site-data") ]] || fail "Data/ holds other files than before"
xdotool key Escape
until_true "$Wait" no_window '^Download: ' || fail "Escape leaves the download window open"
quit
check_profile "1|1|1|0" "+|0|+|0"
echo "e2e: all steps passed in ${SECONDS}s"
