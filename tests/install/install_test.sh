#!/usr/bin/env bash
# Checks of the installed game. Usage: install_test.sh CHECK STAGE [BUILD]; STAGE is the DESTDIR
# the game is installed into with the prefix /usr.
set -euo pipefail

check=$1
stage=$2
prefix=$stage/usr

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

stage() {
  rm -rf "$stage"
  DESTDIR=$stage cmake --install "$1" --prefix /usr
}

layout() {
  local expected=(
    bin/gorvanti bin/gorvanti-replay bin/gorvanti-inspect bin/gorvanti-setup
    share/gorvanti/setup.ini share/gorvanti/besttime.dat share/gorvanti/screenshots/play.png
    share/applications/org.gorvanti.gorvanti.desktop
    share/applications/org.gorvanti.gorvanti.setup.desktop
    share/metainfo/org.gorvanti.gorvanti.metainfo.xml
    share/man/man6/gorvanti.6.gz share/man/man6/gorvanti-replay.6.gz
    share/man/man6/gorvanti-inspect.6.gz share/man/man6/gorvanti-setup.6.gz
    share/doc/gorvanti/changelog.gz share/doc/gorvanti/README.md.gz share/doc/gorvanti/copyright
    share/icons/hicolor/scalable/apps/gorvanti.svg
  )
  for art in ball.x wall.x tile.x block.x goal.x title.x boxholl.x wall.bmp tile.bmp block.bmp \
      goal.bmp system.bmp openingtitle.dds; do
    expected+=("share/gorvanti/graphics/$art")
  done
  for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
  done
  for program in gorvanti gorvanti-replay gorvanti-inspect gorvanti-setup; do
    [ -x "$prefix/bin/$program" ] || fail "$program is not executable"
  done
  for size in 16 32 48 64 128 256; do
    local icon=$prefix/share/icons/hicolor/${size}x${size}/apps/gorvanti.png
    [ -f "$icon" ] || fail "no $size-pixel icon"
    # The PNG header's width and height, big-endian at bytes 16 and 20.
    local dimensions
    dimensions=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$dimensions" = "${size}x${size}" ] || fail "the $size-pixel icon is $dimensions"
  done
  # The shipped best times, not a played run folder's.
  [ "$(sort -u "$prefix/share/gorvanti/besttime.dat")" = "270f" ] ||
    fail "besttime.dat is not the shipped table"
  man -l "$prefix/share/man/man6/gorvanti.6.gz" >/dev/null 2>&1 || fail "the man page does not format"
}

desktop_files() {
  local entry
  for entry in org.gorvanti.gorvanti org.gorvanti.gorvanti.setup; do
    desktop-file-validate "$prefix/share/applications/$entry.desktop"
  done
  # Docks match a running window to its entry by the window's class, the program's name.
  grep -qx "StartupWMClass=gorvanti" "$prefix/share/applications/org.gorvanti.gorvanti.desktop" ||
    fail "the game's entry does not name its window's class"
  appstreamcli validate --no-net "$prefix/share/metainfo/org.gorvanti.gorvanti.metainfo.xml"
}

# Starts the installed game for a few seconds on SDL's offscreen driver; it never ends by itself,
# so timeout's 124 means it started and kept running. It starts in a folder holding a graphics/
# of its own, which must not draw the game away from the player's folder. The caller's
# XDG_DATA_HOME would name another folder than the one checked.
start_game() {
  local code=0
  (cd "$scratch/elsewhere" &&
    env -u XDG_DATA_HOME HOME="$scratch/home" SDL_VIDEODRIVER=offscreen LIBGL_ALWAYS_SOFTWARE=1 \
      SDL_AUDIODRIVER=dummy timeout 4 "$1/bin/gorvanti" 2>"$scratch/stderr") || code=$?
  [ "$code" = 124 ] || fail "the game ended with $code: $(cat "$scratch/stderr")"
}

player_folder() {
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  mkdir -p "$scratch/home" "$scratch/elsewhere/graphics"
  cp -a "$prefix" "$scratch/first"
  local folder=$scratch/home/.local/share/gorvanti

  start_game "$scratch/first"
  cmp "$folder/setup.ini" "$scratch/first/share/gorvanti/setup.ini" || fail "setup.ini not seeded"
  cmp "$folder/besttime.dat" "$scratch/first/share/gorvanti/besttime.dat" ||
    fail "besttime.dat not seeded"
  [ "$(readlink -f "$folder/graphics")" = "$scratch/first/share/gorvanti/graphics" ] ||
    fail "graphics does not lead to the installed art"
  [ -f "$folder/graphics/system.bmp" ] || fail "the art is not found through graphics"

  # A player's times survive the next start, and the art follows a moved prefix.
  printf '15b\n' >"$folder/besttime.dat"
  mv "$scratch/first" "$scratch/moved"
  start_game "$scratch/moved"
  [ "$(cat "$folder/besttime.dat")" = "15b" ] || fail "besttime.dat was overwritten"
  [ "$(readlink -f "$folder/graphics")" = "$scratch/moved/share/gorvanti/graphics" ] ||
    fail "graphics was not pointed at the moved prefix"
  ! grep -q FileOpenError "$scratch/stderr" || fail "the game could not open a file"

  # The key tool edits the file the game reads: from a fresh home it makes the same folder, even
  # with no display to show its window on.
  (cd "$scratch/elsewhere" && env -u XDG_DATA_HOME -u DISPLAY -u WAYLAND_DISPLAY \
    HOME="$scratch/fresh" timeout 20 "$scratch/moved/bin/gorvanti-setup" >/dev/null 2>&1) || true
  cmp "$scratch/fresh/.local/share/gorvanti/setup.ini" "$scratch/moved/share/gorvanti/setup.ini" ||
    fail "gorvanti-setup did not find the game's folder"

  # A folder that cannot be made: a message, then the game's own box for the missing setup.ini.
  mkdir "$scratch/blocked"
  touch "$scratch/blocked/.local"
  local code=0
  (cd "$scratch/elsewhere" &&
    env -u XDG_DATA_HOME HOME="$scratch/blocked" SDL_VIDEODRIVER=offscreen timeout 20 \
      "$scratch/moved/bin/gorvanti" 2>"$scratch/stderr") || code=$?
  [ "$code" = 0 ] || fail "a blocked folder ended the game with $code"
  grep -q "cannot set up your game folder" "$scratch/stderr" || fail "no message on the terminal"
  grep -q FileOpenError "$scratch/stderr" || fail "no FileOpenError box"
}

# The installed game answers its arguments at once, and with no display ends at once instead of
# running unseen.
arguments() {
  local game=$prefix/bin/gorvanti out code
  out=$("$game" --help) || fail "--help ended with $?"
  [[ $out == "usage: gorvanti"* ]] || fail "--help printed: $out"
  out=$("$game" --version) || fail "--version ended with $?"
  [[ $out =~ ^gorvanti\ [0-9]+\.[0-9]+$ ]] || fail "--version printed: $out"
  code=0
  out=$("$game" --bogus 2>&1) || code=$?
  [ "$code" = 2 ] && [[ $out == *"unknown argument --bogus"* ]] ||
    fail "an unknown argument ended with $code: $out"

  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  code=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u XDG_DATA_HOME HOME="$scratch" \
    timeout 20 "$game" >"$scratch/out" 2>&1 || code=$?
  [ "$code" = 0 ] || fail "with no display the game ended with $code: $(cat "$scratch/out")"
  grep -q "no display" "$scratch/out" || fail "no word of the missing display: $(cat "$scratch/out")"
}

case $check in
  stage) stage "$3" ;;
  layout) layout ;;
  desktop_files) desktop_files ;;
  player_folder) player_folder ;;
  arguments) arguments ;;
  *) fail "unknown check $check" ;;
esac
