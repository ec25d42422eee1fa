#!/usr/bin/env bash
# The application's idle cost: starts velkclean on a virtual X screen
# (Xvfb; its OpenGL is Mesa's software rasteriser) showing one section, lets
# it settle, then measures
# the CPU time it uses over a window of wall-clock time and prints it as a
# share of one core, with its resident memory and the frames it drew.
# Several programs given with --app run side by side, each on a screen of
# its own, so their figures come from the same seconds of the same machine.
# Settings live in a temporary folder for the run; the program reads this
# machine as it normally does.
#
#   bench/velk-idle-cpu.sh [--app PATH]... [--section NAME] [--sort KEY] [--settle S]
#                          [--seconds S] [--renderer opengl|software]
#
# Defaults: build/velkclean, the dashboard, 12 s to settle (start-up and the
# first update check), 20 s measured, Qt Quick's default OpenGL renderer;
# "software" is Qt Quick's own raster renderer (as scripts/run uses).
# --sort starts the process list at that key (cpu, memory, threads, pid,
# name; the program's own default when not given).
# One line per program:
#   PATH section=NAME sort=KEY renderer=R cpu_percent=X rss_mb=Y frames_per_s=Z
# and last the headline figure of the last program: cpu_percent=X
set -euo pipefail

apps=()
section=dashboard
sort=
settle=12
seconds=20
renderer=opengl
while [ $# -gt 0 ]; do
  case "$1" in
    --app) apps+=("$2"); shift 2 ;;
    --section) section="$2"; shift 2 ;;
    --sort) sort="$2"; shift 2 ;;
    --settle) settle="$2"; shift 2 ;;
    --seconds) seconds="$2"; shift 2 ;;
    --renderer) renderer="$2"; shift 2 ;;
    *) echo "usage: $0 [--app PATH]... [--section NAME] [--sort KEY] [--settle S] [--seconds S] [--renderer opengl|software]" >&2
       exit 2 ;;
  esac
done
[ ${#apps[@]} -gt 0 ] || apps=("$(dirname "$0")/../build/velkclean")
backend=()
[ "$renderer" = software ] && backend=(QT_QUICK_BACKEND=software)
sorted=()
[ -n "$sort" ] && sorted=(--sort "$sort")

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Total user and system CPU time of a process, in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
frames() { grep -ci 'frame rendered' "$1" || true; }

app_pids=()
for i in "${!apps[@]}"; do
  dir="$work/$i"
  mkdir -p "$dir/config" "$dir/runtime"
  chmod 700 "$dir/runtime"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$dir/display" 2>/dev/null &
  pids+=($!)
  for _ in $(seq 50); do [ -s "$dir/display" ] && break; sleep 0.1; done
  [ -s "$dir/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
  env "${backend[@]}" DISPLAY=":$(cat "$dir/display")" QT_QPA_PLATFORM=xcb \
    XDG_CONFIG_HOME="$dir/config" XDG_RUNTIME_DIR="$dir/runtime" \
    QT_LOGGING_RULES="qt.scenegraph.time.renderloop.debug=true" \
    "${apps[$i]}" --section "$section" "${sorted[@]}" >"$dir/out" 2>"$dir/err" &
  pids+=($!)
  app_pids+=($!)
done

sleep "$settle"
clk=$(getconf CLK_TCK)
start_ticks=()
start_frames=()
for i in "${!apps[@]}"; do
  kill -0 "${app_pids[$i]}" 2>/dev/null || { echo "${apps[$i]} ended early:" >&2; cat "$work/$i/err" >&2; exit 1; }
  start_ticks+=("$(ticks "${app_pids[$i]}")")
  start_frames+=("$(frames "$work/$i/err")")
done
sleep "$seconds"

headline=
for i in "${!apps[@]}"; do
  pid=${app_pids[$i]}
  used=$(( $(ticks "$pid") - start_ticks[i] ))
  drawn=$(( $(frames "$work/$i/err") - start_frames[i] ))
  cpu=$(awk -v t="$used" -v c="$clk" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * t / c / s }')
  rss=$(awk -v k="$(rss_kb "$pid")" 'BEGIN { printf "%.1f", k / 1024 }')
  fps=$(awk -v f="$drawn" -v s="$seconds" 'BEGIN { printf "%.1f", f / s }')
  echo "${apps[$i]} section=$section sort=${sort:-default} renderer=$renderer cpu_percent=$cpu rss_mb=$rss frames_per_s=$fps"
  headline="cpu_percent=$cpu"
done
echo "$headline"
