#!/usr/bin/env bash
# Makes the release an operator receives: build/release/OUpdate-<version>/ with
# OUpdate.exe, the operator's guide and its pictures (docs/), the fleet
# playbook (deploy/ansible), SHA256SUMS of every file in it, and the same
# folder as OUpdate-<version>.zip. Only from a committed tree, and only when
# the shipped program passes scripts/check-ship.sh. The build is reproducible
# and the files and the zip carry the commit's time, so one commit always
# gives the same hashes.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
cd "$ROOT"

if [ -n "$(git status --porcelain)" ]; then
  echo "release: refused: the tree has uncommitted changes (a release is made from a commit only):"
  git status --short | sed 's/^/  /'
  exit 1
fi
version=$(product_version)
[ -n "$version" ] || { echo "release: the README names no version" >&2; exit 1; }

cmake -S "$ROOT" -B "$SHIP_BUILD" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-i686.cmake" >/dev/null
cmake --build "$SHIP_BUILD" -j"$(jobs)" --target OUpdate oue-sim >/dev/null
bash "$ROOT/scripts/check-ship.sh" || { echo "release: refused: the shipped program fails the ship check"; exit 1; }

name=OUpdate-$version
out=$BUILD/release
dir=$out/$name
rm -rf "$dir" "$out/$name.zip"
mkdir -p "$dir"
git archive HEAD docs/operator-guide.md docs/images deploy/ansible | tar -x -C "$dir"
cp "$SHIP_BUILD/bin/OUpdate.exe" "$dir/"
(cd "$dir" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort | xargs sha256sum >SHA256SUMS)

# The zip holds the files in name order with the commit's time and fixed
# permissions: nothing of this machine or this moment.
python3 - "$out" "$name" "$(git log -1 --format=%ct)" <<'EOF'
import os, sys, time, zipfile
out, name, stamp = sys.argv[1], sys.argv[2], int(sys.argv[3])
files = sorted(os.path.relpath(os.path.join(d, f), out) for d, _, fs in os.walk(os.path.join(out, name)) for f in fs)
with zipfile.ZipFile(os.path.join(out, name + ".zip"), "w") as z:
    for path in files:
        entry = zipfile.ZipInfo(path, time.gmtime(stamp)[:6])
        entry.external_attr = 0o644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        z.writestr(entry, open(os.path.join(out, path), "rb").read())
EOF
echo "release: $dir"
sed 's/^/  /' "$dir/SHA256SUMS"
echo "release: $out/$name.zip $(sha256sum <"$out/$name.zip" | cut -d' ' -f1)"
