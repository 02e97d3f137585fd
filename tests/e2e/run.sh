#!/usr/bin/env bash
# The whole game as a player meets it: the real lumivo on a private X display (Xvfb + openbox),
# driven by xdotool, on a scratch copy of the game folder.
#
#   run.sh GAME_DIR [SHOTS_DIR]
#
# GAME_DIR holds lumivo, lumivo-pack, lumivo-site and Data/ (build/game); it is only read. Three
# runs of the game share one new player:
#   1. by keyboard alone: the login window, a new player, the creation question answered with
#      Return; the menu; a starting Classic category (the smallest with plain ASCII titles) reached
#      with Tab and won by typing its titles, page by page; Escape back to the selection screen,
#      which shows the win, and Escape back to the menu;
#   2. the other starting Classic categories written into the profile as won: the login opens
#      the next stage (Bonus); a Bonus category won by typing its titles;
#   3. Alpha opened to the profile, its clock running, and closed; a pack removed from Data/
#      downloaded again from a running lumivo-site through the menu's information panel.
# After each run the profile file is compared byte for byte with the one the format gives;
# only the counted seconds vary, and they must lie between one and the time the test has run.
# A failing step is named on stderr and leaves screenshots, the logs and the profile in
# SHOTS_DIR (default: e2e-shots beside GAME_DIR); with LUMIVO_E2E_SHOOT_ALL set, every step
# leaves one there. Exit status 77: Xvfb, openbox, xdotool, ImageMagick or xprop (x11-utils)
# are not installed.
set -u
export LC_ALL=C.UTF-8

source_dir=$(cd "${1:?usage: run.sh GAME_DIR [SHOTS_DIR]}" && pwd)
shots=${2:-$(dirname "$source_dir")/e2e-shots}

for tool in Xvfb openbox xdotool import compare identify xprop; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (apt-get install xvfb openbox xdotool imagemagick x11-utils)"
    exit 77
  fi
done

readonly Player="Collaudo E2E"
readonly Password="ciak-42"
readonly RecordSize=45
readonly StartStates="1|0|0|0|1|0|1|1|0|0|0|0|0|0|0|0|0|0|0|0"
readonly Wait=20 # seconds any one thing may take on a busy machine

work=$(mktemp -d "${TMPDIR:-/tmp}/lumivo-e2e.XXXXXX")
game=$work/game
profile=$game/User/$Player.lmp
step="preparing"
shot_count=0
xvfb_pid="" wm_pid="" game_pid="" site_pid=""

cleanup() {
  for pid in $game_pid $site_pid $wm_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP PIPE

shoot() {
  [[ -n ${DISPLAY:-} ]] || return 0
  mkdir -p "$shots"
  shot_count=$((shot_count + 1))
  import -window root "$shots/$(printf %02d $shot_count)-$1.png" 2>/dev/null
}

fail() {
  echo "E2E FAILED at step '$step': $*" >&2
  shoot failed
  mkdir -p "$shots"
  cp "$work"/*.log "$shots/" 2>/dev/null
  [[ -f $profile ]] && cp "$profile" "$shots/profile.lmp"
  echo "screenshots and logs: $shots" >&2
  exit 1
}

begin() {
  [[ -n ${LUMIVO_E2E_SHOOT_ALL:-} ]] && shoot "before-$(echo "$1" | tr -c 'a-zA-Z0-9\n' - | cut -c1-40)"
  step=$1
  echo "[$(printf %3d $SECONDS)s] $step"
}

# until SECONDS COMMAND...: runs COMMAND every tenth of a second until it succeeds.
until_true() {
  local limit=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < limit)) || return 1
    sleep 0.1
  done
}

# Waits for the visible window whose caption matches REGEX and puts its id in $win. The search is
# repeated rather than left to `search --sync`: a window that goes while xdotool walks the tree
# (a message box closing) ends that search with an X error.
window() {
  win=""
  find_window() { win=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1) && [[ -n $win ]]; }
  until_true "$Wait" find_window "$1" || fail "no window with caption matching '$1'"
}

no_window() {
  ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1
}

is_active() {
  [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]
}

activate() {
  timeout "$Wait" xdotool windowactivate --sync "$1" >/dev/null 2>&1
  until_true "$Wait" is_active "$1" || fail "window $1 does not become active"
}

# A click at layout coordinates of the window's client area.
click() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Closes the active window as the player would, with the window manager's Alt+F4.
close_window() {
  activate "$1"
  xdotool key alt+F4
}

# Types TEXT into the focused control, DELAY milliseconds between keys (default 20). xdotool types
# a character the keyboard map lacks (an accented letter) by mapping a spare key for that moment;
# it goes on its own after a pause, yet a busy game can still miss it: the test prefers
# categories whose titles are plain ASCII.
type_text() {
  local text=$1 delay=${2:-20} plain="" ch i
  for ((i = 0; i < ${#text}; i++)); do
    ch=${text:i:1}
    if (($(printf '%d' "'$ch") < 0x7f)); then
      plain+=$ch
      continue
    fi
    [[ -n $plain ]] && xdotool type --delay "$delay" -- "$plain"
    plain=""
    sleep 0.2
    xdotool type -- "$ch"
    sleep 0.2
  done
  [[ -n $plain ]] && xdotool type --delay "$delay" -- "$plain"
  return 0
}

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

# Clicks the instructions away: not within the double-click time of the screen opening, which
# the screen rightly ignores; again if the first click came too soon all the same.
dismiss_panel() {
  local w=$1 cx=$2 cy=$3
  shift 3
  until_true "$Wait" panel_shown "$w" "$@" || fail "the instructions panel is not shown"
  sleep 0.6
  local tries
  for tries in 1 2 3; do
    click "$w" "$cx" "$cy"
    if until_true 2 eval '! panel_shown "$w" "$@"'; then
      return 0
    fi
  done
  fail "a click on the instructions panel does not close it"
}

# The same with Return.
dismiss_panel_by_key() {
  local w=$1
  shift
  until_true "$Wait" panel_shown "$w" "$@" || fail "the instructions panel is not shown"
  sleep 0.6
  local tries
  for tries in 1 2 3; do
    xdotool key Return
    if until_true 2 eval '! panel_shown "$w" "$@"'; then
      return 0
    fi
  done
  fail "Return does not close the instructions panel"
}

# ---- the profile ----------------------------------------------------------------------------

# A text record: 16-bit little-endian length, the bytes, zeros to 45 bytes.
text_record() {
  local n=${#1}
  printf "\\x$(printf %02x $((n & 255)))\\x$(printf %02x $((n >> 8)))"
  printf '%s' "$1"
  head -c $((RecordSize - 2 - n)) /dev/zero
}

integer_record() {
  printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))"
  head -c $((RecordSize - 2)) /dev/zero
}

# Names and passwords are stored with every byte raised by one (ASCII here).
raised() {
  local i out=""
  for ((i = 0; i < ${#1}; i++)); do
    out+=$(printf "\\x$(printf %02x $(($(printf '%d' "'${1:i:1}") + 1)))")
  done
  printf '%s' "$out"
}

record_text() { # FILE RECORD
  local offset=$((($2 - 1) * RecordSize)) length
  length=$(od -An -tu2 -N2 -j "$offset" "$1" 2>/dev/null | tr -d ' ')
  [[ -n $length ]] && ((length <= 43)) || return 1
  tail -c +$((offset + 3)) "$1" | head -c "$length"
}

item_flag() { # PICTURE
  local v
  v=$(od -An -td2 -N2 -j $(((100 + $1 - 1) * RecordSize)) "$profile" 2>/dev/null | tr -d ' ')
  echo "${v:-0}"
}

item_solved() { [[ $(item_flag "$1") == 1 ]]; }

category_state() { # CATEGORY
  local states
  states=$(record_text "$profile" 4) || return 1
  echo "$states" | cut -d'|' -f"$1"
}

write_record() { # RECORD BYTES-FILE
  dd of="$profile" bs=$RecordSize seek=$(($1 - 1)) conv=notrunc status=none <"$2" ||
    fail "cannot write record $1 of the profile"
}

# Compares the profile with the one expected: GROUPS, CATEGORIES, TIMES as four of "0" (none
# counted) or "+" (some seconds, at most the test's running time), then the solved pictures.
check_profile() {
  local groups=$1 categories=$2 times=$3
  shift 3
  local expected=$work/expected.lmp actual_times slot rule value last=0 p
  [[ -f $work/solved-record ]] || integer_record 1 >"$work/solved-record"
  [[ -f $profile ]] || fail "no profile file $profile"
  actual_times=$(record_text "$profile" 5) || fail "the time record is damaged"
  [[ $actual_times =~ ^[0-9]{6}(\|[0-9]{6}){3}$ ]] || fail "the time record reads '$actual_times'"
  for slot in 1 2 3 4; do
    rule=$(echo "$times" | cut -d'|' -f$slot)
    value=$((10#$(echo "$actual_times" | cut -d'|' -f$slot)))
    if [[ $rule == 0 ]]; then
      ((value == 0)) || fail "time $slot counts $value s where none were played"
    else
      ((value >= 1 && value <= SECONDS)) || fail "time $slot counts $value s, not 1 to $SECONDS"
    fi
  done
  for p in "$@"; do ((p > last)) && last=$p; done
  {
    text_record "$(raised "$Player")"
    text_record "$(raised "$Password")"
    text_record "$groups"
    text_record "$categories"
    text_record "$actual_times"
    # A new profile ends here; the first solved picture extends it with zeros up to its record.
    ((last > 0)) && head -c $(((100 - 5) * RecordSize)) /dev/zero
    # The item records in runs of unsolved (zeros) and solved (a 1, then zeros) pictures.
    local solved=" $* " k zeros=0
    for ((k = 1; k <= last; k++)); do
      if [[ $solved == *" $k "* ]]; then
        ((zeros > 0)) && head -c $((zeros * RecordSize)) /dev/zero
        zeros=0
        cat "$work/solved-record"
      else
        zeros=$((zeros + 1))
      fi
    done
    ((zeros > 0)) && head -c $((zeros * RecordSize)) /dev/zero
  } >"$expected"
  if ! cmp -s "$expected" "$profile"; then
    cmp "$expected" "$profile" >&2
    cp "$expected" "$work/expected-profile.log" 2>/dev/null
    fail "the profile differs from the expected bytes (groups $groups, categories $categories)"
  fi
}

# ---- the content ----------------------------------------------------------------------------

declare -A count name base
declare -A title # "category:picture"
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

# The pictures of CATEGORY by global number.
pictures_of() {
  local p
  for ((p = 1; p <= count[$1]; p++)); do echo $((base[$1] + p)); done
}

plain_titles() {
  local p
  for ((p = 1; p <= count[$1]; p++)); do
    [[ ${title[$1:$p]} =~ ^[\ -~]*$ ]] || return 1
  done
}

# Of the given categories, the smallest whose titles are plain ASCII, else the smallest.
easiest_of() {
  local best="" c
  for c in "$@"; do
    plain_titles "$c" && [[ -z $best || ${count[$c]} -lt ${count[$best]} ]] && best=$c
  done
  if [[ -z $best ]]; then
    best=$1
    for c in "$@"; do ((count[$c] < count[$best])) && best=$c; done
  fi
  echo "$best"
}

# LIST with its slot INDEX (from 1) set to VALUE.
with_slot() {
  local IFS='|' slots
  read -ra slots <<<"$1"
  slots[$2 - 1]=$3
  echo "${slots[*]}"
}

regex_quoted() {
  printf '%s' "$1" | sed 's/[][\.*^$+?(){}|/]/\\&/g'
}

# Types every title of CATEGORY into its box, the first box having the focus; each solve hands the
# caret to the next box and must reach the profile. A title not taken is typed once more, slowly,
# over the text of the first try: the test's keys can be lost on a busy machine, a fault of the
# game would not go. With PAGED, the screen shows nine pictures a page: after each ninth Page Down
# turns to the next one, whose first box takes the focus.
type_titles() {
  local category=$1 paged=${2:-} p picture text
  for ((p = 1; p <= count[$category]; p++)); do
    picture=$((base[$category] + p))
    text=${title[$category:$p]}
    type_text "$text"
    if ! until_true 5 item_solved "$picture"; then
      echo "       '$text' not taken at first: typed again, slowly"
      shoot "retyped-$p"
      xdotool key ctrl+a BackSpace
      type_text "$text" 120
      until_true "$Wait" item_solved "$picture" ||
        fail "the title '$text' typed in box $p does not solve picture $picture"
    fi
    ((p == count[$category])) && break
    if [[ -n $paged ]] && ((p % 9 == 0)); then
      xdotool key Page_Down
    fi
  done
  return 0
}

# ---- the display, the site, the game --------------------------------------------------------

# A display number nobody holds, the server answering on it, then the window manager. Another
# server that takes the same number at the same moment makes this one give up: another number.
start_display() {
  local attempt number
  for attempt in 1 2 3 4 5; do
    number=$((100 + RANDOM % 400))
    [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
    # -noreset: the server would start afresh as the probe below disconnects, refusing whoever
    # connects in that moment.
    Xvfb ":$number" -screen 0 1280x900x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:$number
    if until_true "$Wait" eval 'xprop -root >/dev/null 2>&1 || ! kill -0 $xvfb_pid 2>/dev/null' &&
      xprop -root >/dev/null 2>&1; then
      break
    fi
    kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  done
  [[ -n $xvfb_pid ]] || fail "Xvfb does not start"
  openbox >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  until_true "$Wait" eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
    fail "openbox does not start"
  xdotool mousemove 0 0
}

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

start_game() {
  QT_QPA_PLATFORM=xcb "$game/lumivo" --site "$site_url" >"$work/game-$1.log" 2>&1 &
  game_pid=$!
}

game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }

# Closes the menu, the last window: the game ends.
quit_from_menu() {
  window '^Selezione tipo di gioco$'
  close_window "$win"
  until_true "$Wait" game_ended || fail "the game does not end when its menu is closed"
  wait "$game_pid"
  local status=$?
  game_pid=""
  ((status == 0)) || fail "the game ended with status $status"
}

login() { # NEW(yes/no)
  local splash
  window '^Lumivo Pro$'
  splash=$win
  activate "$splash"
  type_text "$Player"
  xdotool key Tab
  type_text "$Password"
  xdotool key Return
  if [[ $1 == yes ]]; then
    begin "the creation question answered with Return"
    until_true "$Wait" eval '[[ $(xdotool getactivewindow 2>/dev/null) != "$splash" ]] && \
      xdotool getactivewindow getwindowname 2>/dev/null | grep -qx "Lumivo Pro"' ||
      fail "no question about creating the player"
    [[ ! -e $profile ]] || fail "the profile exists before the question is answered"
    xdotool key Return
  fi
  begin "the menu after the login"
  window '^Selezione tipo di gioco$'
  menu=$win
  until_true "$Wait" no_window '^Lumivo Pro$' || fail "the login window stays open"
}

# The right end of the download window's progress bar is filled (the highlight's blue).
bar_full() {
  local r g b
  read -r r g b <<<"$(pixel "$1" 383 27)"
  [[ -n $b ]] && ((b > r + 60))
}

crop() { # WINDOW X Y W H FILE
  import -window "$1" -crop "$4x$5+$2+$3" +repage "$6" 2>/dev/null
}

# The keyboard's focus frame around the thumbnail at X Y: the links' blue just outside its edge.
focus_on() { # WINDOW X Y
  [[ $(pixel "$1" $(($2 - 2)) $(($3 + 50))) == "0 0 255" ]]
}

# The thumbnail of a selection screen is drawn: many colours, not a blank.
thumb_drawn() {
  crop "$1" "$2" "$3" 200 100 "$4" && (($(identify -format %k "$4" 2>/dev/null || echo 0) > 16))
}

same_picture() {
  [[ $(compare -metric AE "$1" "$2" null: 2>&1) == 0 ]]
}

# ---- the test ---------------------------------------------------------------------------------

# Pictures and logs of an earlier failure would pass for this run's.
rm -f "$shots"/*.png "$shots"/*.log "$shots"/profile.lmp

begin "scratch copy of the game"
mkdir -p "$game"
cp -a "$source_dir/lumivo" "$source_dir/Data" "$game/" || fail "cannot copy $source_dir"
list_content
start_display
start_site

# Thumbnail corners, in client pixels, from the layouts of the selection screens: Classic shows
# categories 1-9 three to a row, Bonus 10-17 two to a row.
classic_thumb() {
  echo $((8 + (($1 - 1) % 3) * 208)) $((8 + (($1 - 1) / 3) * 104))
}
bonus_thumb() {
  local i=$(($1 - 9)) tops=(8 120 232 344)
  echo $((8 + ((i - 1) % 2) * 208)) "${tops[(i - 1) / 2]}"
}

classic=$(easiest_of 1 5 7 8)
bonus=$(easiest_of 14 16)

# Run 1 ------------------------------------------------------------------------------------
begin "start-up: the login window"
start_game 1
login yes
check_profile "1|0|0|0" "$StartStates" "0|0|0|0"

begin "the Classic selection screen, by Return on the menu"
activate "$menu"
xdotool key Return
window '^Classic$'
selection=$win
until_true "$Wait" no_window '^Selezione tipo di gioco$' || fail "the menu stays open"
read -r tx ty <<<"$(classic_thumb "$classic")"
read -r ox oy <<<"$(classic_thumb 1)"
until_true "$Wait" thumb_drawn "$selection" "$ox" "$oy" "$work/other.png" || fail "no thumbnail drawn"
until_true "$Wait" focus_on "$selection" "$ox" "$oy" || fail "the first open category has no focus frame"

begin "Classic ${name[$classic]}: reached with Tab, opened with Return"
# The open starting categories, in reading order; the first has the focus.
for c in 1 5 7 8; do
  ((c == classic)) && break
  xdotool key Tab
done
until_true "$Wait" focus_on "$selection" "$tx" "$ty" || fail "Tab does not bring the focus frame there"
until_true "$Wait" eval '! focus_on "$selection" "$ox" "$oy"' || fail "two thumbnails show the focus"
until_true "$Wait" thumb_drawn "$selection" "$tx" "$ty" "$work/open.png" || fail "no thumbnail drawn"
thumb_drawn "$selection" "$ox" "$oy" "$work/other.png" || fail "no thumbnail drawn"
xdotool key Return
window "^Classic: $(regex_quoted "${name[$classic]}")\$"
play=$win
activate "$play"
dismiss_panel_by_key "$play" 20 100 20 240 20 400 610 240

begin "Classic ${name[$classic]}: the titles typed"
type_titles "$classic" paged
until_true "$Wait" eval '[[ $(category_state $classic) == 2 ]]' || fail "the category is not won"
until_true "$Wait" panel_shown "$play" 20 100 20 240 20 400 610 240 || fail "no winning message"

begin "Escape: the Classic selection screen shows the win"
activate "$play"
xdotool key Escape
window '^Classic$'
selection=$win
until_true "$Wait" no_window "^Classic: " || fail "Escape does not close the play screen"
xdotool mousemove 0 0
until_true "$Wait" eval 'crop "$selection" "$ox" "$oy" 200 100 "$work/other-after.png" &&
  same_picture "$work/other.png" "$work/other-after.png" &&
  crop "$selection" "$tx" "$ty" 200 100 "$work/won.png" && ! same_picture "$work/open.png" "$work/won.png"' ||
  fail "the thumbnail of the won category is not redrawn"
check_profile "1|0|0|0" "$(with_slot "$StartStates" "$classic" 2)" "+|0|0|0" $(pictures_of "$classic")

begin "Escape: back to the menu"
activate "$selection"
xdotool key Escape
window '^Selezione tipo di gioco$'
menu=$win
until_true "$Wait" no_window '^Classic$' || fail "Escape does not close the selection screen"

begin "closing the game"
quit_from_menu

# Run 2 ------------------------------------------------------------------------------------
begin "the other starting Classic categories written as won"
for c in 1 5 7 8; do
  ((c == classic)) && continue
  integer_record 1 >"$work/record"
  for p in $(pictures_of "$c"); do
    write_record $((100 + p)) "$work/record"
  done
done
text_record "2|0|0|0|2|0|2|2|0|0|0|0|0|0|0|0|0|0|0|0" >"$work/record"
write_record 4 "$work/record"
solved=$(for c in 1 5 7 8; do pictures_of "$c"; done)

begin "start-up again: the login of the player, the next stage opened"
start_game 2
login no
readonly Stage1="2|1|1|0|2|0|2|2|0|0|0|0|0|1|0|1|0|0|0|0"
check_profile "1|1|0|0" "$Stage1" "+|0|0|0" $solved

begin "the Bonus selection screen"
click "$menu" 318 317
window '^Bonus$'
selection=$win
read -r tx ty <<<"$(bonus_thumb "$bonus")"
until_true "$Wait" thumb_drawn "$selection" "$tx" "$ty" "$work/open.png" || fail "no thumbnail drawn"

begin "Bonus ${name[$bonus]}: opened"
click "$selection" $((tx + 100)) $((ty + 50))
window "^Bonus: $(regex_quoted "${name[$bonus]}")\$"
play=$win
activate "$play"
dismiss_panel "$play" 316 90 20 100 610 100 316 165

begin "Bonus ${name[$bonus]}: the titles typed"
type_titles "$bonus"
until_true "$Wait" eval '[[ $(category_state $bonus) == 2 ]]' || fail "the category is not won"
until_true "$Wait" panel_shown "$play" 20 100 610 100 316 165 || fail "no winning message"
solved+=" $(pictures_of "$bonus")"

begin "back to the Bonus selection screen"
close_window "$play"
window '^Bonus$'
selection=$win
check_profile "1|1|0|0" "$(with_slot "$Stage1" "$bonus" 2)" "+|+|0|0" $solved

begin "closing the game"
close_window "$selection"
quit_from_menu

# Run 3 ------------------------------------------------------------------------------------
begin "Alpha opened to the player in the profile"
text_record "1|1|1|0" >"$work/record"
write_record 3 "$work/record"

begin "start-up with Alpha open"
start_game 3
login no

begin "Alpha: opened"
click "$menu" 110 317
window '^Alpha'
play=$win
activate "$play"
dismiss_panel "$play" 344 184 20 100 670 100 20 350 670 350
begin "Alpha: the clock counts"
window '^Alpha: 0:00:0[1-9]$'

begin "Alpha: closed"
close_window "$play"
until_true "$Wait" no_window '^Alpha' || fail "the Alpha screen stays open"
# The menu closed as Alpha opened: a new one comes back.
window '^Selezione tipo di gioco$'
menu=$win
check_profile "1|1|1|0" "$(with_slot "$Stage1" "$bonus" 2)" "+|+|+|0" $solved

begin "the download of a removed pack"
pack=$(printf %04d 7).lvd
rm "$game/Data/$pack" || fail "cannot remove Data/$pack"
activate "$menu"
click "$menu" 217 37
# Link k of the information panel: five to a column, the panel at (8, 80).
click "$menu" $((8 + 10 + ((7 - 1) / 5) * 98 + 15)) $((80 + 100 + ((7 - 1) % 5) * 20 + 9))
window "^Download: $(regex_quoted "${name[7]}")\$"
download=$win
activate "$download"
click "$download" 72 27
begin "the download: the pack restored byte for byte"
until_true 30 cmp -s "$work/site-data/$pack" "$game/Data/$pack" || fail "Data/$pack is not restored"
[[ $(ls "$game/Data") == $(ls "$work/site-data") ]] || fail "Data/ holds other files than before"
# The message itself cannot be read through X; the finished state fills the progress bar to its
# right end, which neither a failure nor a download under way does.
until_true "$Wait" bar_full "$download" || fail "the download window does not show the download completed"

begin "the download window closed"
close_window "$download"
until_true "$Wait" no_window '^Download: ' || fail "the download window stays open"

begin "closing the game"
quit_from_menu

begin "the profile at the end"
check_profile "1|1|1|0" "$(with_slot "$Stage1" "$bonus" 2)" "+|+|+|0" $solved
echo "e2e: all steps passed in ${SECONDS}s"
