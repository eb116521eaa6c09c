#!/usr/bin/env bash
# The layer check passes a tree whose includes point down and fails one with an include
# planted against the direction, naming the file and line; the simulator may not include the
# wire code it imitates.
set -euo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/src/measurement" "$tree/src/logger" "$tree/src/gui" "$tree/sim"
printf '#include "platform/Clock.h"\n#include "measurement/A.h"\n' > "$tree/src/measurement/A.h"
printf '#include "measurement/A.h"\n' > "$tree/src/logger/B.cpp"
printf '#include "logger/B.h"\n#include "document/D.h"\n' > "$tree/src/gui/C.cpp"
printf '#include "sim/S.h"\n#include "measurement/A.h"\n#include "platform/Clock.h"\n' > "$tree/sim/S.cpp"
"$check" "$tree" >/dev/null || { echo "FAIL: a tree that follows the layers was refused"; exit 1; }

printf '#include <vector>\n\n#include "logger/LoggerProtocol.h"\n' >> "$tree/src/measurement/A.h"
if out=$("$check" "$tree" 2>&1); then
    echo "FAIL: an upward include passed"; exit 1
fi
grep -q 'src/measurement/A.h:5: includes logger/' <<<"$out" ||
    { echo "FAIL: the finding does not name the file and line: $out"; exit 1; }

printf '#include "logger/JobWireFormat.h"\n' >> "$tree/sim/S.cpp"
if out=$("$check" "$tree" 2>&1); then
    echo "FAIL: a simulator including the wire code passed"; exit 1
fi
grep -q 'sim/S.cpp:4: includes logger/, which sim/ may not' <<<"$out" ||
    { echo "FAIL: the simulator's finding does not name the file and line: $out"; exit 1; }
echo "layer check: passes a sound tree, refuses a planted upward include and the wire in sim/"
