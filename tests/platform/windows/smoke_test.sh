#!/usr/bin/env bash
# Smoke test of the game in its run folder on a private X display: the title's opening picture
# shows, play starts with the space bar, Escape and Yes end the game with exit code 1; without
# setup.ini the FileOpenError box shows and the exit code is 0. Screenshots go to OUT_DIR.
#
# Usage: smoke_test.sh RUN_DIR OUT_DIR [wine|native]
#   wine    runs RUN_DIR/gorvanti.exe under Wine (the default; WINEPREFIX as exported, else
#           OUT_DIR/wineprefix)
#   native  runs RUN_DIR/gorvanti, the Linux build, for pictures of the same moments
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=tests/platform/windows/wine_environment.sh
source "$here/wine_environment.sh"

if [ $# -lt 2 ]; then
  sed -n '2,10p' "$0" >&2
  exit 2
fi
run_dir="$(cd "$1" && pwd)"
mkdir -p "$2"
out_dir="$(cd "$2" && pwd)"
mode=${3:-wine}

GAME_WINDOW="Gorvanti Version 2.0"
CLIENT_WIDTH=640
CLIENT_HEIGHT=480
# The opening picture: 256 x 128 pixels centred in the client area.
PICTURE_SIZE=256x128
PICTURE_LEFT=192
PICTURE_TOP=176
# Root-mean-square difference (0 to 1) below which the picture counts as on screen: a black
# screen gives about 0.33, the half-faded picture 0.2 and more, the picture itself about 0.1 (the
# rasteriser may place some rows one pixel lower than the texels).
PICTURE_TOLERANCE=0.13
# Play is on screen once the display column shows: its TIME label, cut from the sheet at
# (0, 94), sits at the client area's top-left corner in every state of play and never in the
# title. The title's picture there is black or far from the label.
LABEL_SIZE=52x25
LABEL_SHEET_OFFSET=+0+94
LABEL_TOLERANCE=0.15
START_TIMEOUT=60
PICTURE_TIMEOUT=60
PLAY_TIMEOUT=90
EXIT_TIMEOUT=30

failures=0
game_pid=
scratch=$(mktemp -d)

cleanup() {
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
    kill "$game_pid" 2>/dev/null || true
  fi
  if [ "$mode" = wine ]; then
    gorvanti_stop_wine
  fi
  gorvanti_stop_display
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

pass() {
  echo "ok: $*"
}

# Prints the id of the first window with exactly this name, waiting up to $2 seconds.
wait_for_window() {
  local name=$1 timeout=$2 waited=0 id
  while [ $waited -lt $((timeout * 4)) ]; do
    id=$(xdotool search --name "^${name}\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    if [ -n "$game_pid" ] && ! kill -0 "$game_pid" 2>/dev/null; then
      return 1
    fi
    sleep 0.25
    waited=$((waited + 1))
  done
  return 1
}

# Keys go to the focused window; Xvfb has no window manager to give focus, so it is set directly.
press() {
  local window=$1
  shift
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  xdotool "$@"
}

# Starts the game in the given folder in the background; its pid lands in game_pid.
start_game() {
  local folder=$1
  if [ "$mode" = wine ]; then
    (cd "$folder" && exec wine ./gorvanti.exe >"$out_dir/$(basename "$folder").log" 2>&1) &
  else
    (cd "$folder" && exec ./gorvanti >"$out_dir/$(basename "$folder").log" 2>&1) &
  fi
  game_pid=$!
}

# Waits for the game to end and sets exit_code to its exit code, or to "timeout".
wait_for_exit() {
  local waited=0
  exit_code=timeout
  while kill -0 "$game_pid" 2>/dev/null; do
    if [ $waited -ge $((EXIT_TIMEOUT * 4)) ]; then
      return
    fi
    sleep 0.25
    waited=$((waited + 1))
  done
  exit_code=0
  wait "$game_pid" || exit_code=$?
  game_pid=
}

# The copy of the run folder the game runs in, so that the test never changes the player's files.
copy_run_folder() {
  local target=$1
  mkdir -p "$target"
  cp -r "$run_dir/graphics" "$target/"
  cp "$run_dir"/gorvanti* "$target/"
  cp "$run_dir/setup.ini" "$run_dir/besttime.dat" "$target/" 2>/dev/null || true
}

# A window that is being mapped or redrawn can refuse a capture for a moment: a few tries.
capture() {
  local window=$1 file=$2
  for _ in 1 2 3 4 5 6 7 8; do
    if import -window "$window" "$file" 2>/dev/null; then
      return 0
    fi
    sleep 0.25
  done
  echo "cannot capture window $window" >&2
  return 1
}

# Where the client area lies in a capture of the window: a frame drawn around it (Wine draws its
# own under Xvfb) has equal borders left, right and below and the caption on top.
client_offset() {
  local window=$1 WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
  client_left=$(((WIDTH - CLIENT_WIDTH) / 2))
  client_top=$((HEIGHT - CLIENT_HEIGHT - client_left))
}

# The root-mean-square difference (0 to 1) between an expected picture and the part of a capture
# of that size at the given place of the client area. A window frame is not always as even as
# client_offset assumes (Wine's bottom border is a pixel thinner), so the best match within a
# pixel of the place counts.
difference_at() {
  local shot=$1 expected=$2 size=$3 left=$4 top=$5 best=1 dx dy report difference
  for dy in -1 0 1; do
    for dx in -1 0 1; do
      convert "$shot" -crop "${size}+$((client_left + left + dx))+$((client_top + top + dy))" \
        +repage "$scratch/part.png"
      # compare prints "absolute (normalised)" and exits 1 when the images differ at all.
      report=$(compare -metric RMSE "$expected" "$scratch/part.png" null: 2>&1 || true)
      difference=$(echo "$report" | sed -n 's/.*(\(.*\)).*/\1/p')
      if below "$difference" "$best"; then
        best=$difference
      fi
    done
  done
  echo "$best"
}

below() {
  awk -v d="$1" -v t="$2" 'BEGIN { exit !(d < t) }'
}

gorvanti_start_display
if [ "$mode" = wine ]; then
  gorvanti_prepare_wine "${WINEPREFIX:-$out_dir/wineprefix}"
fi
echo "Smoke test of $run_dir ($mode) on display $DISPLAY"

# The expected picture: the top half of the opening texture, as blended over the black clear.
convert "$run_dir/graphics/openingtitle.dds" -crop 256x128+0+0 +repage -background black \
  -alpha remove "$scratch/expected.png"
convert "$run_dir/graphics/system.bmp" -crop "${LABEL_SIZE}${LABEL_SHEET_OFFSET}" +repage \
  -background black -alpha remove "$scratch/label.png"

# 1. The title, play, and a confirmed quit.
copy_run_folder "$scratch/game"
start_game "$scratch/game"
if window=$(wait_for_window "$GAME_WINDOW" $START_TIMEOUT); then
  pass "the game window is open"
  client_offset "$window"
  best=1
  deadline=$((SECONDS + PICTURE_TIMEOUT))
  while [ $SECONDS -lt $deadline ]; do
    if ! capture "$window" "$scratch/shot.png"; then
      break
    fi
    difference=$(difference_at "$scratch/shot.png" "$scratch/expected.png" "$PICTURE_SIZE" \
      $PICTURE_LEFT $PICTURE_TOP)
    if below "$difference" "$best"; then
      best=$difference
      cp "$scratch/shot.png" "$out_dir/title.png"
    fi
    # Once the picture is there, a few more looks catch it fully faded in for the screenshot.
    if below "$best" "$PICTURE_TOLERANCE"; then
      extra_looks=$((${extra_looks:-6} - 1))
      if [ $extra_looks -le 0 ]; then
        break
      fi
    fi
    sleep 0.5
  done
  if below "$best" "$PICTURE_TOLERANCE"; then
    pass "the opening picture is on screen (difference $best)"
  else
    fail "the opening picture never showed (closest difference $best)"
  fi

  # Any configured key skips a step of the title (the space bar is one); held down when the title
  # has settled, it starts play. Then the stage's intro plays before the board shows.
  for _ in $(seq 12); do
    press "$window" key space
    sleep 0.4
  done
  # Under Wine on a software renderer the title can run at a few ticks a second: long enough.
  press "$window" keydown space
  sleep 8
  press "$window" keyup space
  label=1
  deadline=$((SECONDS + PLAY_TIMEOUT))
  while [ $SECONDS -lt $deadline ] && ! below "$label" "$LABEL_TOLERANCE"; do
    sleep 1
    if ! capture "$window" "$out_dir/play.png"; then
      break
    fi
    label=$(difference_at "$out_dir/play.png" "$scratch/label.png" "$LABEL_SIZE" 0 0)
  done
  if below "$label" "$LABEL_TOLERANCE"; then
    pass "play is on screen: the display column shows in $out_dir/play.png (difference $label)"
  else
    fail "play never showed: no display column in $out_dir/play.png (closest difference $label)"
  fi

  press "$window" key Escape
  if box=$(wait_for_window "Select" 20); then
    pass "Escape asks whether to quit"
    sleep 0.5
    capture root "$out_dir/quit_box.png" || true
    press "$box" key Return
  else
    fail "Escape showed no Select box"
  fi
  wait_for_exit
  if [ "$exit_code" = 1 ]; then
    pass "Yes ends the game with exit code 1"
  else
    fail "the game ended with '$exit_code' after Yes, not 1"
  fi
else
  fail "no game window within $START_TIMEOUT seconds"
fi
if [ -n "$game_pid" ]; then
  kill "$game_pid" 2>/dev/null || true
  game_pid=
fi

# 2. No setup.ini: the FileOpenError box, no game window, exit code 0.
copy_run_folder "$scratch/nosetup"
rm -f "$scratch/nosetup/setup.ini"
start_game "$scratch/nosetup"
if box=$(wait_for_window "FileOpenError" $START_TIMEOUT); then
  pass "without setup.ini the FileOpenError box shows"
  sleep 0.5
  capture root "$out_dir/file_open_error.png" || true
  if xdotool search --name "^${GAME_WINDOW}\$" >/dev/null 2>&1; then
    fail "the game window opened although setup.ini is missing"
  fi
  press "$box" key Return
else
  fail "no FileOpenError box without setup.ini"
fi
wait_for_exit
if [ "$exit_code" = 0 ]; then
  pass "without setup.ini the exit code is 0"
else
  fail "without setup.ini the game ended with '$exit_code', not 0"
fi

if [ $failures -ne 0 ]; then
  echo "Smoke test: $failures failed"
  exit 1
fi
echo "Smoke test passed; screenshots in $out_dir"
