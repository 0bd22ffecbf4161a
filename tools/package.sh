#!/bin/sh
# Builds the release and packs it: build/release/ZelvarPlugin-VERSION.zip
# holds ZelvarPlugin.dll, zelvar-host.exe, README.md (with the pictures it
# shows) and CHANGELOG.md. VERSION is the one the build gave the DLL's
# version resource, from project(VERSION) in CMakeLists.txt. The zip is the
# same bytes for the same commit: fixed order, times and permissions.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target ZelvarPlugin zelvar-host

build="$root/build/default"
version=$(sed -n 's/^#define ZELVAR_VERSION_TEXT "\(.*\)"$/\1/p' "$build/src/version.h")
[ -n "$version" ] || { echo "package: no version in $build/src/version.h" >&2; exit 1; }
grep -q "^## $version\$" docs/CHANGELOG.md ||
    { echo "package: docs/CHANGELOG.md has no section \"## $version\"" >&2; exit 1; }

name="ZelvarPlugin-$version"
release="$root/build/release"
stage="$release/$name"
rm -rf "$stage" "$release/$name.zip"
mkdir -p "$stage"
cp "$build/bin/ZelvarPlugin.dll" "$build/bin/zelvar-host.exe" README.md "$stage/"
cp docs/CHANGELOG.md "$stage/CHANGELOG.md"
# The pictures the README shows, where they are in the repository.
for picture in $(grep -o 'docs/[A-Za-z0-9._/-]*\.\(png\|svg\|jpg\|gif\)' README.md | sort -u); do
    [ -f "$picture" ] || continue
    mkdir -p "$stage/$(dirname "$picture")"
    cp "$picture" "$stage/$picture"
done

# The commit's time for every file, when there is a commit to take it from.
stamp=$(git log -1 --format=%ct 2>/dev/null || echo 315532800)
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
chmod 755 "$stage/ZelvarPlugin.dll" "$stage/zelvar-host.exe"
find "$stage" -exec touch -h -d "@$stamp" {} +
(cd "$release" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -X -D -q "$name.zip" -@)

echo "Packed $release/$name.zip:"
(cd "$stage" && find . -type f | LC_ALL=C sort | sed 's|^\./|  |')
echo "  sha256 $(sha256sum "$release/$name.zip" | cut -d' ' -f1)"
