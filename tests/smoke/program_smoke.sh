#!/usr/bin/env bash
# Starts the real program under a virtual X server in a copy of its program
# directory, waits for its main window and checks its size, then asks it to
# close with SIGTERM and expects a clean exit. With a second argument, and
# ImageMagick's import at hand, the screen is saved there as a picture.
# Then starts it with a list file that does not exist and sends SIGTERM while
# its "File not found" box is up: the box must not keep it from closing.
# Usage: program_smoke.sh <program> [screenshot.png]
set -euo pipefail
program=$1
screenshot=${2:-}
work=$(mktemp -d)
xvfb=
trap '[[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT

# One X server for both checks, on a display number it picks and reports
# itself once it listens: two servers started back to back by xvfb-run -a
# could race for the same number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do
    [[ -s "$work/display" ]] && break
    sleep 0.05
done
[[ -s "$work/display" ]] || { echo "no X server"; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' < "$work/display")"

cp "$program" "$(dirname "$program")/brenmark-probe" "$work/"
cp -r "$(dirname "$program")/Plugins" "$(dirname "$program")/Languages" "$work/"
mkdir -p "$work/files"
for name in photo.jpg notes.txt report.pdf; do echo data > "$work/files/$name"; done
printf '%s\n' "$work/files/photo.jpg" "$work/files/notes.txt" "$work/files/report.pdf" "$work/files" > "$work/list.txt"

export SMOKE_PROGRAM="$work/$(basename "$program")" SMOKE_LIST="$work/list.txt" SMOKE_SHOT="$screenshot"
bash -c '
    "$SMOKE_PROGRAM" "$SMOKE_LIST" &
    pid=$!
    for _ in $(seq 200); do
        if xwininfo -root -tree | grep -q "\"Korvane Brenmark\""; then break; fi
        kill -0 "$pid" 2>/dev/null || { echo "the program ended before showing its window"; exit 1; }
        sleep 0.05
    done
    if ! xwininfo -root -tree | grep -q "\"Korvane Brenmark\""; then
        echo "no main window"; kill "$pid"; exit 1
    fi
    # Opened at its design client size.
    geometry=$(xwininfo -name "Korvane Brenmark")
    grep -q "Width: 489" <<<"$geometry" && grep -q "Height: 513" <<<"$geometry" || {
        echo "main window not at 489 x 513:"; echo "$geometry"; kill "$pid"; exit 1; }
    if [[ -n "$SMOKE_SHOT" ]] && command -v import >/dev/null; then
        sleep 1
        import -window root "$SMOKE_SHOT"
    fi
    kill -TERM "$pid"
    status=0
    wait "$pid" || status=$?
    if [[ $status -ne 0 ]]; then echo "exit status $status"; exit 1; fi
    echo "started, showed its window and closed cleanly"
'
# The start sequence creates the templates folder.
test -d "$work/Templates"

bash -c '
    "$SMOKE_PROGRAM" "$SMOKE_LIST.missing" &
    pid=$!
    for _ in $(seq 200); do
        if xwininfo -root -tree | grep -q "\"Brenmark\": (\"brenmark\""; then break; fi
        kill -0 "$pid" 2>/dev/null || { echo "the program ended before showing its message"; exit 1; }
        sleep 0.05
    done
    if ! xwininfo -root -tree | grep -q "\"Brenmark\": (\"brenmark\""; then
        echo "no \"File not found\" box"; kill "$pid"; exit 1
    fi
    kill -TERM "$pid"
    for _ in $(seq 200); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    if kill -0 "$pid" 2>/dev/null; then echo "SIGTERM under a message box was ignored"; kill -KILL "$pid"; exit 1; fi
    status=0
    wait "$pid" || status=$?
    if [[ $status -ne 0 ]]; then echo "exit status $status under a message box"; exit 1; fi
    echo "closed cleanly on SIGTERM while a message box was up"
'
