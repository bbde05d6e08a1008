#!/usr/bin/env bash
# Our LAS import against a widely used open-source Python LAS reader (the copy in
# ../shared/peers/, run beside this repository, never part of it), on the same
# generated file of 20 curves x 500,000 rows (100.5 MB): three rounds, the
# readers alternating, each a fresh process. Ours runs as it comes (both cores)
# and held to one core (taskset), so that the peer, which reads on one, is also
# set against that. Prints the times, the peak memories and the ratios.
#   bench/compare.sh [BUILD_DIR] [PEER_DIR]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
PEER="${2:-$ROOT/../shared/peers}"
OURS="$BUILD/bench/las_import_bench"
[ -x "$OURS" ] || { echo "compare: build the benchmarks first ($OURS)" >&2; exit 1; }
[ -f "$PEER/time_lasio.py" ] || { echo "compare: no peer at $PEER" >&2; exit 1; }
if ! /usr/bin/python3 -c 'import numpy' 2>/dev/null; then
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get install -y -qq python3-numpy >/dev/null
fi

FILE="$(mktemp -d)/compare.las"
trap 'rm -rf "$(dirname "$FILE")"' EXIT
/usr/bin/python3 - "$FILE" <<'PY'
import random, sys
random.seed(81)
curves, rows = 20, 500000
with open(sys.argv[1], "w") as f:
    f.write("~VERSION INFORMATION\n VERS.   2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\n"
            " WRAP.   NO  : ONE LINE PER DEPTH STEP\n~WELL INFORMATION\n"
            f" STRT.M  1000.0000 : START DEPTH\n STOP.M  {1000 + (rows - 1) * 0.1524:.4f} : STOP DEPTH\n"
            " STEP.M  0.1524 : STEP\n NULL.   -999.25 : NULL VALUE\n WELL.   COMPARE-1 : WELL\n"
            "~CURVE INFORMATION\n DEPT.M : DEPTH\n")
    for c in range(1, curves):
        f.write(f" C{c:02d}.UNIT : CURVE {c}\n")
    f.write("~A\n")
    for r in range(rows):
        values = [f"{1000 + r * 0.1524:10.4f}"] + [f"{random.uniform(0, 200):9.4f}" for _ in range(1, curves)]
        f.write(" ".join(values) + "\n")
PY
echo "file: $(awk -v b="$(stat -c %s "$FILE")" 'BEGIN {printf "%.1f", b / 1e6}') MB, 20 curves x 500000 rows"
ONE=(); command -v taskset >/dev/null && ONE=(taskset -c 0)
printf '%-6s %10s %12s %10s %12s %10s %12s\n' round "ours (s)" "ours (MiB)" "1 core (s)" "1 core (MiB)" \
    "peer (s)" "peer (MiB)"
sum() { awk '{s += $1} END {print s}'; }
ours_t=(); ours_m=(); one_t=(); one_m=(); peer_t=(); peer_m=()
for round in 1 2 3; do
    read -r t m _ _ < <("$OURS" --time "$FILE")
    ours_t+=("$t"); ours_m+=("$m")
    read -r t m _ _ < <("${ONE[@]}" "$OURS" --time "$FILE")
    one_t+=("$t"); one_m+=("$m")
    read -r t m _ _ < <(/usr/bin/python3 "$PEER/time_lasio.py" "$FILE")
    peer_t+=("$t"); peer_m+=("$m")
    printf '%-6s %10s %12s %10s %12s %10s %12s\n' "$round" "${ours_t[-1]}" "${ours_m[-1]}" "${one_t[-1]}" \
        "${one_m[-1]}" "${peer_t[-1]}" "${peer_m[-1]}"
done
ot=$(printf '%s\n' "${ours_t[@]}" | sum); pt=$(printf '%s\n' "${peer_t[@]}" | sum)
om=$(printf '%s\n' "${ours_m[@]}" | sum); pm=$(printf '%s\n' "${peer_m[@]}" | sum)
qt=$(printf '%s\n' "${one_t[@]}" | sum); qm=$(printf '%s\n' "${one_m[@]}" | sum)
awk -v ot="$ot" -v pt="$pt" -v om="$om" -v pm="$pm" -v qt="$qt" -v qm="$qm" 'BEGIN {
    printf "mean   %10.3f %12.1f %10.3f %12.1f %10.3f %12.1f\n", ot / 3, om / 3, qt / 3, qm / 3, pt / 3, pm / 3
    printf "the peer takes %.1f times our time (%.1f times on one core) and %.1f times our memory\n",
        pt / ot, pt / qt, pm / om
}'
