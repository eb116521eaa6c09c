#!/usr/bin/env bash
# The layer check passes a tree whose includes point down and fails one with an include
# planted against the direction, naming the file and line.
set -euo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/src/measurement" "$tree/src/logger" "$tree/src/gui"
printf '#include "platform/Clock.h"\n#include "measurement/A.h"\n' > "$tree/src/measurement/A.h"
printf '#include "measurement/A.h"\n' > "$tree/src/logger/B.cpp"
printf '#include "logger/B.h"\n#include "document/D.h"\n' > "$tree/src/gui/C.cpp"
"$check" "$tree" >/dev/null || { echo "FAIL: a tree that follows the layers was refused"; exit 1; }

printf '#include <vector>\n\n#include "logger/LoggerProtocol.h"\n' >> "$tree/src/measurement/A.h"
if out=$("$check" "$tree" 2>&1); then
    echo "FAIL: an upward include passed"; exit 1
fi
grep -q 'src/measurement/A.h:5: includes logger/' <<<"$out" ||
    { echo "FAIL: the finding does not name the file and line: $out"; exit 1; }
echo "layer check: passes a sound tree, refuses a planted upward include"
