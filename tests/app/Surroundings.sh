#!/bin/sh
# The program started as a user would, in surroundings that once broke it:
# no display, a FIFO where a player picture should be, a program folder
# whose name is not UTF-8. Each must end or start cleanly, never hang.
# Usage: Surroundings.sh PROGRAM DATA_DIR WORK_DIR
# (DATA_DIR holds the files and the modules the program finds beside itself.)
set -u
program=$1
data=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
fail() {
    echo "FAILED: $*"
    exit 1
}

# No display at all: a plain message in both languages and status 1.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$program" 2>&1)
status=$?
[ "$status" -eq 1 ] || fail "without a display the status is $status, not 1: $out"
echo "$out" | grep -q "no graphical display" || fail "no English message: $out"
echo "$out" | grep -q "没有找到图形显示" || fail "no Chinese message: $out"

# Without a display the command line still answers; a wrong one is refused
# with status 2 and a message on the error output only.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$program" --help)
[ $? -eq 0 ] && echo "$out" | grep -q "Usage: zemra" || fail "--help without a display: $out"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$program" --no-such-option 2>"$work/err")
status=$?
[ "$status" -eq 2 ] && [ -z "$out" ] && grep -q "unknown option '--no-such-option'" "$work/err" ||
  fail "an unknown option gave status $status, output '$out', errors '$(cat "$work/err")'"

# A FIFO in place of a picture: start-up goes on and calls it missing.
mkdir "$work/fifo"
cp "$program" "$data/ImageWhite.jpg" "$data/SGF.ico" "$data/GIB.ico" "$data/zemra-sound.so" "$data/zemra-network.so" "$work/fifo/"
mkfifo "$work/fifo/ImageBlack.jpg"
out=$(env -u ZEMRA_DATA_DIR QT_QPA_PLATFORM=offscreen ZEMRA_STARTUP_REPORT=1 timeout 20 "$work/fifo/$(basename "$program")" 2>&1)
status=$?
[ "$status" -eq 0 ] || fail "with a FIFO picture the status is $status: $out"
echo "$out" | grep -q "missing ImageBlack.jpg" || fail "the FIFO was not reported missing: $out"
echo "$out" | grep -q "found ImageWhite.jpg" || fail "the other picture was lost: $out"

# A program folder named in GBK (from an archive made on another system).
folder=$(printf "$work/\\306\\345\\306\\327")
mkdir "$folder"
cp "$program" "$data/ImageBlack.jpg" "$data/ImageWhite.jpg" "$data/SGF.ico" "$data/GIB.ico" "$data/zemra-sound.so" "$data/zemra-network.so" "$folder/"
out=$(env -u ZEMRA_DATA_DIR QT_QPA_PLATFORM=offscreen ZEMRA_STARTUP_REPORT=1 timeout 20 "$folder/$(basename "$program")" 2>&1)
status=$?
[ "$status" -eq 0 ] || fail "from a GBK-named folder the status is $status: $out"
if echo "$out" | grep -q "missing"; then fail "files beside the program not found from a GBK-named folder: $out"; fi
echo "all surroundings handled"
