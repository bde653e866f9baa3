#!/usr/bin/env bash
# Opens the gallery's controls page in a real SDL window under Xvfb and openbox, types into
# its edit field with xdotool, and checks that the window's pixels equal the headless picture
# of the same state. Then checks that the window, sitting still, sleeps.
# usage: real_window_test.sh GALLERY WORKDIR
set -euo pipefail
trap 'echo "failed at line $LINENO: $BASH_COMMAND"' ERR
# Memory the system libraries keep for the life of the process is not ours to report.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$top/scripts/lsan.supp:print_suppressions=0}
gallery=$1
work=$2
text="Hello 123"
rm -rf "$work"
mkdir -p "$work"

for tool in Xvfb openbox xdotool xprop import compare; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)"; exit 1; }
done

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

# The picture to expect: the same page after the same typing, drawn headless.
"$gallery" --out "$work/headless" --page controls --type "$text" >/dev/null
expected="$work/headless/controls.png"

# A display of our own, far from the numbers desktops and other tests take first: try free
# numbers until a server stays up on one.
display=""
for _ in $(seq 20); do
  n=$(( 300 + RANDOM % 600 ))
  [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
  # -noreset: the probes below must not make the server start over when they disconnect.
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  up=no
  for _ in $(seq 100); do
    if DISPLAY=":$n" xprop -root >/dev/null 2>&1; then up=yes; break; fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [[ $up == yes ]]; then
    pids+=($xvfb_pid)
    display=$n
    break
  fi
  kill "$xvfb_pid" 2>/dev/null || true
done
[[ -n "$display" ]] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$display"
echo "display $DISPLAY"

openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
wm=no
for _ in $(seq 100); do
  if xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW; then wm=yes; break; fi
  sleep 0.1
done
[[ $wm == yes ]] || { echo "openbox did not start"; cat "$work/openbox.log"; exit 1; }

KESTRANE_SCALE=1 SDL_VIDEODRIVER=x11 "$gallery" --window --page controls --steady-caret >"$work/gallery.log" 2>&1 &
gallery_pid=$!
pids+=($gallery_pid)

wid=""
for _ in $(seq 120); do
  wid=$(xdotool search --onlyvisible --name "Kestrane gallery - Controls" 2>/dev/null | head -n1 || true)
  [[ -n "$wid" ]] && break
  kill -0 "$gallery_pid" 2>/dev/null || break
  sleep 0.25
done
if [[ -z "$wid" ]]; then
  echo "the gallery's window did not appear; windows on $DISPLAY:"
  xwininfo -root -tree 2>&1 | head -n 20
  cat "$work/gallery.log"
  exit 1
fi
# Under load the desktop may take a moment to hand the window the keyboard.
for _ in $(seq 20); do
  xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
  [[ "$(xdotool getactivewindow 2>/dev/null || true)" == "$wid" ]] && break
  sleep 0.25
done
[[ "$(xdotool getactivewindow 2>/dev/null || true)" == "$wid" ]] || { echo "the window never became active"; exit 1; }
sleep 0.5
xdotool type --delay 40 "$text"

# The window shows the typed text once the program has handled every key.
same=no
for _ in $(seq 40); do
  sleep 0.25
  import -window "$wid" "$work/window.png"
  if differing=$(compare -metric AE "$work/window.png" "$expected" "$work/diff.png" 2>&1); then
    same=yes
    break
  fi
done
if [[ $same != yes ]]; then
  echo "the window differs from the headless picture in $differing pixels (see $work/diff.png)"
  exit 1
fi
echo "window pixels equal the headless picture"

# Sitting still for three seconds, the program sleeps: processor time from /proc.
cpu_ns() { awk '{print $1}' "/proc/$gallery_pid/schedstat"; }
before=$(cpu_ns)
sleep 3
after=$(cpu_ns)
idle_ms=$(( (after - before) / 1000000 ))
echo "processor time sitting still for 3 s: ${idle_ms} ms"
if (( idle_ms > 300 )); then
  echo "the window keeps the processor busy while nothing happens"
  exit 1
fi

# Alt+F4 closes the window and the program ends cleanly.
xdotool key alt+F4
for _ in $(seq 100); do kill -0 "$gallery_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$gallery_pid" 2>/dev/null; then
  echo "the gallery did not end after Alt+F4"
  exit 1
fi
wait "$gallery_pid" || { echo "the gallery ended with an error:"; cat "$work/gallery.log"; exit 1; }
echo "ok"
