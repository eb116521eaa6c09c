#!/usr/bin/env bash
# The whole path on a simulated Logger: start logger-sim on a pseudo-terminal and talk to it
# with varelo-cli. Usage: tools/demo.sh BUILD_DIR
set -euo pipefail
build=${1:?build folder}
scenario=$(cd "$(dirname "$0")/.." && pwd)/sim/scenarios/408b-function-A.ini
bin=$build/bin
work=$build/demo
mkdir -p "$work"
export XDG_CONFIG_HOME=$work/config   # the demo never touches the user's own settings
link=$work/ttyLogger

"$bin/logger-sim" --link "$link" --scenario "$scenario" --log "$work/logger-commands.log" &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
[ -e "$link" ] || { echo "logger-sim did not start" >&2; exit 1; }

echo "== Simulated Logger on $link (port COM1), scenario $(basename "$scenario")"
echo "== varelo-cli logger connect --port 1"
VARELO_COM1=$link "$bin/varelo-cli" logger connect --port 1 --verbose

echo
echo "== varelo-cli logger info --port 1"
VARELO_COM1=$link "$bin/varelo-cli" logger info --port 1

# A second simulated Logger holding a measured week; read it out over the wire.
week_scenario=$(dirname "$scenario")/408b-measured-week.ini
week_link=$work/ttyLoggerWeek
"$bin/logger-sim" --link "$week_link" --scenario "$week_scenario" \
    --log "$work/logger-week-commands.log" &
week_sim=$!
trap 'kill $sim $week_sim 2>/dev/null; wait $sim $week_sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$week_link" ] && break; sleep 0.1; done
[ -e "$week_link" ] || { echo "logger-sim did not start" >&2; exit 1; }

measurement=$work/week-function-A.VXM
echo
echo "== varelo-cli logger read --port 1 (scenario $(basename "$week_scenario"))"
VARELO_COM1=$week_link "$bin/varelo-cli" logger read --port 1 --output "$measurement" --force
echo
echo "== varelo-cli info"
"$bin/varelo-cli" info "$measurement"
echo
echo "== varelo-cli evaluate (default EN50160 limits)"
"$bin/varelo-cli" evaluate "$measurement"

summary_pdf=$work/graphical-summary.pdf
echo
echo "== varelo-cli print graphical-summary"
"$bin/varelo-cli" print graphical-summary "$measurement" --output "$summary_pdf"

timeplot_pdf=$work/timeplot.pdf
echo
echo "== varelo-cli print timeplot (the phase voltages against their 95 % band)"
"$bin/varelo-cli" print timeplot "$measurement" --output "$timeplot_pdf" \
    --channel 1011 --channel 2011 --channel 3011 --limit-line 1011:0

echo
echo "Files:"
echo "  measurement:                  $measurement"
echo "  graphical summary (PDF):      $summary_pdf"
echo "  timeplot (PDF):               $timeplot_pdf"
echo "  commands the Logger received: $work/logger-commands.log"
