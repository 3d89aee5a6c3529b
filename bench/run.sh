#!/usr/bin/env bash
# Times torvi against the netpbm pipeline that does the same job and against the floor (reading
# the input and writing a document of the same size, nothing else), with hyperfine, on pictures
# it makes itself; then peak resident memory with /usr/bin/time.
#
#   bench/run.sh [BUILD_DIR] [WORK_DIR]     (BUILD_DIR configured with -DTORVI_BENCH=ON)
#
# Needs hyperfine, netpbm and GNU time (Debian: hyperfine netpbm time).
set -euo pipefail
build=$(realpath "${1:-build}")
work=${2:-/tmp/torvi-bench}
runs=${RUNS:-5}
mkdir -p "$work"
cd "$work"

pictures=(
  "rgb24 8000 8000"
  "pal1 20000 20000"
  "pal8 8000 8000"
  "rle8 8000 8000"
)

printf '%-22s %10s %10s %10s %9s %9s %9s %9s\n' picture torvi netpbm floor 'netpbm/x' 'x/floor' 'peak MiB' 'bound MiB'
for p in "${pictures[@]}"; do
  read -r kind w h <<<"$p"
  in="$kind-${w}x$h.bmp"
  [[ -f $in ]] || "$build/bench/make_picture" "$kind" "$w" "$h" "$in"
  "$build/torvi" "$in" out.eps
  size=$(stat -c %s out.eps)
  hyperfine -N --warmup 1 --runs "$runs" --export-json "$kind.json" --style none \
    -n torvi "$build/torvi $in out.eps" \
    -n netpbm "sh -c 'bmptopnm $in 2>/dev/null | ppmtopgm | pamthreshold -simple -threshold=0.999 | pnmtops -noturn -scale 1 -nocenter >netpbm.eps 2>/dev/null'" \
    -n floor "sh -c 'cat $in >/dev/null; head -c $size /dev/zero >floor.eps'" >/dev/null
  peak=$(/usr/bin/time -f %M "$build/torvi" "$in" out.eps 2>&1 >/dev/null | tail -1)
  python3 - "$kind.json" "$kind ${w}x$h" "$peak" "$w" "$h" <<'PY'
import json, sys
r = {x["command"]: x["median"] for x in json.load(open(sys.argv[1]))["results"]}
w, h = int(sys.argv[4]), int(sys.argv[5])
bound = ((w + 7) // 8 * h) / 2**20 + 8  # the one-bit picture plus 8 MiB
print("%-22s %9.3fs %9.3fs %9.3fs %9.1fx %8.2fx %9.1f %9.1f" % (
    sys.argv[2], r["torvi"], r["netpbm"], r["floor"], r["netpbm"] / r["torvi"],
    r["torvi"] / r["floor"], int(sys.argv[3]) / 1024, bound))
PY
done
