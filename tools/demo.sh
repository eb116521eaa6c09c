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

echo
echo "Commands the Logger received: $work/logger-commands.log"
