#!/usr/bin/env bash
# Instructions per loop turn under callgrind: repeatable to a hair from run to run, unlike times on a
# shared machine. Two runs of different length are taken, so that start-up and the first frames'
# shader compilation cancel out; the difference is divided by the number of extra turns.
#   bench/callgrind.sh BUILD_DIR [TURNS_SHORT TURNS_LONG]
# Needs a display (make bench runs it under Xvfb).
set -euo pipefail
build=${1:-build-bench}
short=${2:-20}
long=${3:-80}
program="$build/bench/bench_frame"
work=$(mktemp -d /tmp/wobblefin-callgrind-XXXXXX)
trap 'rm -rf "$work"' EXIT

# No shader cache (it would make the first run differ from the next) and llvmpipe rasterising on this
# thread, so that all of its work is counted in one place.
export MESA_SHADER_CACHE_DISABLE=true LP_NUM_THREADS=0

run() {
    valgrind --tool=callgrind --callgrind-out-file="$work/cg.$1" --collect-atstart=no \
        --toggle-collect='wobblefin::loop_turn()' "$program" --callgrind "$1" >"$work/log.$1" 2>&1 ||
        { cat "$work/log.$1" >&2; exit 1; }
}
run "$short"
run "$long"

# Self cost per object: cost lines after "calls=" are a call's inclusive cost and are not counted.
by_object() {
    awk '
    function name(spec, table,   id, rest) {
        if (match(spec, /^\([0-9]+\)/)) {
            id = substr(spec, 2, RLENGTH - 2); rest = substr(spec, RLENGTH + 1); sub(/^ /, "", rest)
            if (rest != "") table[id] = rest
            return table[id]
        }
        return spec
    }
    /^ob=/ { ob = name(substr($0, 4), obs); next }
    /^cob=/ { name(substr($0, 5), obs); next }
    /^calls=/ { skip = 1; next }
    /^[0-9+*-]/ { if (skip) { skip = 0; next } cost[ob] += $NF; next }
    { if ($0 !~ /^(fn|fl|fi|fe|cfn|cfi|cfl)=/) skip = 0 }
    END { for (o in cost) printf "%d\t%s\n", cost[o], o }' "$1"
}
inclusive() {  # inclusive Ir of every function whose name holds $2
    callgrind_annotate --inclusive=yes --threshold=100 "$1" 2>/dev/null |
        awk -v f="$2" 'index($0, f) { gsub(",", "", $1); s += $1 } END { printf "%d\n", s }'
}
total() { awk '/^totals:/ { print $2 }' "$1"; }

cs="$work/cg.$short"; cl="$work/cg.$long"
turns=$((long - short))
per_turn() { echo "$1 $2" | awk -v n="$turns" '{ printf "%.0f", ($2 - $1) / n }'; }

renderer=$(grep -m1 '^renderer:' "$work/log.$long" | cut -d' ' -f2- || true)
echo
echo "== Instructions per loop turn under callgrind (${renderer:-Mesa}, $turns turns: $short vs $long)"
t=$(per_turn "$(total "$cs")" "$(total "$cl")")
printf "  %-56s %'14d Ir\n" "loop_turn (whole frame)" "$t"
for f in "wobblefin::OPENGL_DRAW()" "corvala::TMENU3D::ELEMENTSELECTON()" "win32::SwapBuffers(" "corvala::SETGLMSG()"; do
    v=$(per_turn "$(inclusive "$cs" "$f")" "$(inclusive "$cl" "$f")")
    printf "  %-56s %'14d Ir  %5.1f %%\n" "$f" "$v" "$(echo "$v $t" | awk '{ print 100 * $1 / $2 }')"
done

echo "  by object (self cost):"
join -t $'\t' -1 2 -2 2 -a 2 -e 0 -o 0,1.1,2.1 \
    <(by_object "$cs" | sort -t $'\t' -k2,2) <(by_object "$cl" | sort -t $'\t' -k2,2) |
    awk -F '\t' -v n="$turns" -v t="$t" -v prog="$(basename "$program")" '
    { d = ($3 - $2) / n; o = $1
      g = (o ~ prog"$") ? "the program (app, framework, platform)" :
          (o ~ /(dri|gallium|glapi|GLX|libGL|GLU|LLVM|llvm)/ || o == "???") ? "Mesa (GL, GLU, llvmpipe and its JIT code)" :
          "C library, SDL, X and the rest"
      grp[g] += d; obj[o] = d }
    END {
      for (g in grp) printf "    %-56s %'"'"'14.0f Ir  %5.1f %%\n", g, grp[g], 100 * grp[g] / t
      for (o in obj) if (obj[o] > t / 100) printf "      %-56s %'"'"'12.0f Ir\n", o, obj[o]
    }' | sort -t '|' -k1,1
