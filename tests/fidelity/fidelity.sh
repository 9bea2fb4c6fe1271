#!/usr/bin/env bash
# Runs the reference build's gl_scenes and this build's on the same display, then compares what they wrote;
# the comparer's figures go to standard output and to REPORT.
#   fidelity.sh REFERENCE_GL_SCENES THIS_GL_SCENES GL_COMPARE OUTDIR REPORT
set -uo pipefail
reference=$1 ours=$2 compare=$3 out=$4 report=$5
if [[ ! -x $reference ]]; then
    echo "fidelity.sh: no reference program at $reference (build gl_scenes in the reference tree)" >&2
    exit 1
fi
rm -rf "$out"
"$reference" "$out/reference" || { echo "fidelity.sh: the reference gl_scenes failed" >&2; exit 1; }
"$ours" "$out/this" || { echo "fidelity.sh: this build's gl_scenes failed" >&2; exit 1; }
"$compare" "$out/reference" "$out/this" >"$report"
status=$?
cat "$report"
echo "fidelity.sh: figures in $report, pictures in $out"
exit $status
