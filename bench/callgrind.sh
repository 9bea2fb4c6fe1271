#!/usr/bin/env bash
# Instructions per loop turn under callgrind: repeatable from run to run, unlike times on a shared
# machine. The idle scene runs TURNS loop turns; callgrind counts only inside loop_turn and writes one
# profile per turn. The first SKIP turns (settling, and the first frame's shader compilation) are left
# out; the rest are averaged.
#   bench/callgrind.sh BUILD_DIR [TURNS [SKIP]]      (needs a display: make bench runs it under Xvfb)
#   CALLGRIND_KEEP=DIR keeps the profiles there for callgrind_annotate or kcachegrind.
set -euo pipefail
build=${1:-build-bench}
turns=${2:-30}
skip=${3:-10}
program="$build/bench/bench_frame"
work=$(mktemp -d /tmp/wobblefin-callgrind-XXXXXX)
trap 'rm -rf "$work"' EXIT

# No shader cache (a warm one would make runs differ) and llvmpipe rasterising on the calling thread,
# so that all of its work is counted, inside the swap where it happens.
export MESA_SHADER_CACHE_DISABLE=true LP_NUM_THREADS=0
# Fixed addresses too: hash tables keyed by pointers then probe alike in every run.
no_aslr=""
command -v setarch >/dev/null && setarch "$(uname -m)" -R true 2>/dev/null && no_aslr="setarch $(uname -m) -R"
if [ -n "${CALLGRIND_FROM:-}" ]; then  # analyse profiles kept earlier instead of running
    cp "$CALLGRIND_FROM"/cg.* "$work"/ && echo "renderer: (kept profiles)" >"$work/log"
else
$no_aslr valgrind --tool=callgrind --callgrind-out-file="$work/cg" --collect-atstart=no \
    --toggle-collect='wobblefin::loop_turn()' --dump-after='wobblefin::loop_turn()' \
    "$program" --callgrind "$turns" >"$work/log" 2>&1 || { cat "$work/log" >&2; exit 1; }
fi
[ -n "${CALLGRIND_KEEP:-}" ] && mkdir -p "$CALLGRIND_KEEP" && cp "$work"/cg.* "$CALLGRIND_KEEP"/

# The profiles of the turns that count: parts skip+1 ... (the settling turns are loop turns too).
files=()
for ((k = skip + 1; ; ++k)); do
    [ -f "$work/cg.$k" ] || break
    files+=("$work/cg.$k")
done
n=${#files[@]}
[ "$n" -gt 0 ] || { echo "callgrind wrote no profiles" >&2; exit 1; }

totals=$(awk '/^totals:/ { print $2 }' "${files[@]}")
mean=$(echo "$totals" | awk '{ s += $1 } END { printf "%.0f", s / NR }')
lo=$(echo "$totals" | sort -n | head -1)
hi=$(echo "$totals" | sort -n | tail -1)
renderer=$(grep -m1 '^renderer:' "$work/log" | cut -d' ' -f2- || true)

echo
echo "== Instructions per loop turn under callgrind, idle scene (${renderer:-Mesa}; mean of $n turns)"
printf "  %-56s %12d Ir   (turns range %d .. %d)\n" "loop_turn (whole frame)" "$mean" "$lo" "$hi"

# Inclusive cost of a few routines, from callgrind_annotate's inclusive view of each turn.
for f in "wobblefin::OPENGL_DRAW()" "corvala::TMENU3D::ELEMENTSELECTON()" "corvala::QUAKE3ANIMATION::PUTMODEL(" \
         "wobblefin::QUAD(" "win32::SwapBuffers(" "corvala::SETGLMSG()"; do
    s=0
    for file in "${files[@]}"; do
        v=$(callgrind_annotate --inclusive=yes --threshold=100 "$file" 2>/dev/null |
            awk -v f="$f" '!found && index($0, ":" f) { gsub(",", "", $1); print $1; found = 1 }')
        s=$((s + ${v:-0}))
    done
    printf "  %-56s %12.0f Ir   %5.1f %%\n" "$f" "$((s / n))" "$(awk -v a="$s" -v n="$n" -v t="$mean" 'BEGIN { print 100 * a / n / t }')"
done

# Self cost per object. A cost line right after "calls=" is that call's inclusive cost, not self cost.
echo "  by object (self cost):"
awk -v n="$n" -v t="$mean" -v prog="$(basename "$program")" '
function name(entry, table,   id, rest) {
    if (match(entry, /^\([0-9]+\)/)) {
        id = substr(entry, 2, RLENGTH - 2); rest = substr(entry, RLENGTH + 1); sub(/^ /, "", rest)
        if (rest != "") table[id] = rest
        return table[id]
    }
    return entry
}
FNR == 1 { delete obs; ob = ""; skip = 0 }
/^ob=/ { ob = name(substr($0, 4), obs); next }
/^cob=/ { name(substr($0, 5), obs); next }
/^calls=/ { skip = 1; next }
/^[0-9+*-]/ { if (skip) { skip = 0; next } cost[ob] += $NF; next }
END {
    for (o in cost) {
        d = cost[o] / n
        if (o ~ prog "$") g = "the program (app, framework, platform)"
        else if (o ~ /(dri|gallium|glapi|GLX|libGL|GLU|LLVM)/ || o == "???") g = "Mesa (GL, GLU, llvmpipe and its JIT code)"
        else g = "C library, SDL, X and the rest"
        grp[g] += d
        if (d > t / 200) printf "      %-60s %12.0f Ir   %5.1f %%\n", o, d, 100 * d / t | "sort -k2 -nr > /dev/stderr"
    }
    for (g in grp) printf "    %-58s %12.0f Ir   %5.1f %%\n", g, grp[g], 100 * grp[g] / t
}' "${files[@]}" 2>"$work/objects"
cat "$work/objects"
