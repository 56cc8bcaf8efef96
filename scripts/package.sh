#!/usr/bin/env bash
# Builds the release: both Windows flavours (Release, static, stripped), each zipped with its
# console companion, a short README for Windows users and the licence, and a SHA256SUMS over the
# zips:
#   dist/TarnwickWQuellon-<version>-x64.zip, dist/TarnwickWQuellon-<version>-x86.zip,
#   dist/SHA256SUMS
# `package.sh --zip FLAVOUR` prints the path of that flavour's zip for the last build's version.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

# The version the build wrote into the version resource's header.
built_version() {
    local header="build/$1/resources/version.h"
    [[ -f $header ]] || {
        echo "package.sh: $header is missing; build first" >&2
        return 1
    }
    sed -n 's/^#define QUELLON_VERSION_TEXT "\(.*\)"$/\1/p' "$header"
}

# The release's zip of one flavour (x64, x86) for a version.
release_zip() {
    echo "dist/TarnwickWQuellon-$1-$2.zip"
}

if [[ ${1-} == --zip ]]; then
    release_zip "$(built_version x64)" "${2:?usage: package.sh --zip x64|x86}"
    exit 0
fi

for flavour in x64 x86; do
    bash scripts/build.sh "$flavour" release_programs
done
version=$(built_version x64)
[[ "$(built_version x86)" == "$version" ]] || {
    echo "package.sh: the builds differ in version" >&2
    exit 1
}
# The file names of the executable and its console companion, as the build wrote them beside
# them.
executable=$(<build/x64/tool-name.txt)
companion=$(<build/x64/companion-name.txt)

rm -rf dist
mkdir -p dist
readme=$(mktemp)
trap 'rm -f "$readme"' EXIT
# Windows users read it in Notepad: CRLF line ends.
sed -e "s/@VERSION@/$version/g" -e "s/@EXECUTABLE@/$executable/g" -e "s/@COMPANION@/$companion/g" \
    -e 's/$/\r/' packaging/README.txt >"$readme"
# Every entry carries the time of the last commit, so the same sources give the same zips.
stamp=$(git log -1 --format=%ct 2>/dev/null || date +%s)

for flavour in x64 x86; do
    zip=$(release_zip "$version" "$flavour")
    python3 - "$zip" "$stamp" \
        "$executable=build/$flavour/$executable" "$companion=build/$flavour/$companion" \
        "README=$readme" "LICENSE=LICENSE" <<'PY'
import sys, time, zipfile
zip_path, stamp, *members = sys.argv[1:]
date_time = time.gmtime(int(stamp))[:6]
with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED) as archive:
    for member in members:
        name, path = member.split("=", 1)
        info = zipfile.ZipInfo(name, date_time)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        with open(path, "rb") as f:
            archive.writestr(info, f.read())
PY
done
(cd dist && sha256sum -- *.zip >SHA256SUMS)
ls -l dist
