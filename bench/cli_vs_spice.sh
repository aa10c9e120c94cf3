#!/usr/bin/env bash
# Whole-process solve of ladder boards of 100, 300 and 1000 devices: ampera-cli
# solve of the experiment file against ngspice -b of the same circuit's netlist
# (both written by ladder_files). Prints the median wall time of RUNS runs of
# each (7 unless RUNS says otherwise) after one warm-up, and their ratio;
# ngspice is skipped where it is not installed.
#   bench/cli_vs_spice.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
runs=${RUNS:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The median wall time in seconds of `runs` runs of the command.
median_time() {
    "$@" >/dev/null 2>&1 || true # warm-up
    local times=()
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s.%N)
        times+=("$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.6f", b - a}')")
    done
    printf '%s\n' "${times[@]}" | sort -g | awk '{t[NR] = $1} END {printf "%.4f\n", t[int((NR + 1) / 2)]}'
}

have_spice=0
command -v ngspice >/dev/null 2>&1 && have_spice=1
[ "$have_spice" = 1 ] || echo "ngspice is not installed: timing ampera-cli alone"
printf '%-8s %-14s %-14s %s\n' devices ampera-cli_s ngspice_s ratio
for n in 100 300 1000; do
    "$build/bench/ladder_files" "$n" "$work" >/dev/null
    a=$(median_time "$build/cli/ampera-cli" solve "$work/ladder$n.vtx")
    if [ "$have_spice" = 1 ]; then
        b=$(median_time ngspice -b "$work/ladder$n.cir")
        printf '%-8s %-14s %-14s %s\n' "$n" "$a" "$b" "$(awk -v a="$a" -v b="$b" 'BEGIN {printf "%.2f", a / b}')"
    else
        printf '%-8s %-14s %-14s %s\n' "$n" "$a" - -
    fi
done
