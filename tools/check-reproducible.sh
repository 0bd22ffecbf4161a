#!/bin/sh
# Checks that the build is reproducible: two clean builds of one commit, in
# two different directories (paths of different lengths), a different time
# zone and umask, give a byte-identical ZelvarPlugin.dll, for each preset.
#
#   tools/check-reproducible.sh [COMMIT [PRESET...]]   (HEAD; default clang)
#
# Only the library is built. Uncommitted changes are not part of the check.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
commit=${1:-HEAD}
[ $# -gt 0 ] && shift
presets=${*:-default clang}

id=$(git -C "$root" rev-parse --verify "$commit^{commit}") || {
    echo "check-reproducible: $commit is not a commit of $root" >&2
    exit 2
}
if [ "$commit" = HEAD ] && [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    echo "check-reproducible: note: uncommitted changes are not checked"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
first="$work/a"
second="$work/second-tree/with/a/much/longer/path"
for tree in "$first" "$second"; do
    mkdir -p "$tree"
    git -C "$root" archive --format=tar "$id" | tar -x -C "$tree"
done

unset SOURCE_DATE_EPOCH
status=0
for preset in $presets; do
    (cd "$first" && umask 022 && TZ=UTC \
        cmake --preset "$preset" -DZELVAR_BUILD_TESTS=OFF >/dev/null &&
        cmake --build --preset "$preset" --target ZelvarPlugin >/dev/null)
    (cd "$second" && umask 077 && TZ=Pacific/Kiritimati \
        cmake --preset "$preset" -DZELVAR_BUILD_TESTS=OFF >/dev/null &&
        cmake --build --preset "$preset" --target ZelvarPlugin >/dev/null)
    a="$first/build/$preset/bin/ZelvarPlugin.dll"
    b="$second/build/$preset/bin/ZelvarPlugin.dll"
    if cmp -s "$a" "$b"; then
        echo "reproducible ($preset): ZelvarPlugin.dll of $(echo "$id" | cut -c1-12), $(wc -c <"$a") bytes, sha256 $(sha256sum "$a" | cut -c1-16)..."
    else
        echo "NOT reproducible ($preset): the two builds of ZelvarPlugin.dll differ:" >&2
        cmp -l "$a" "$b" | head -n 10 >&2 || true
        status=1
    fi
done
exit $status
