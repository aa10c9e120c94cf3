#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it:
#   scripts/check_package.sh BUILD_DIR
# its name and dependencies, its files unpacked into a scratch root, the
# installed ampera-cli solving an installed example there, and (as root, with
# apt) that apt could install it on this machine.
set -euo pipefail
build=$(cd "$1" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb="$build/ampera_${version}_${arch}.deb"
fail() { echo "package check: $*" >&2; exit 1; }

rm -f "$deb"
(cd "$build" && cpack -G DEB >/dev/null) || fail "cpack failed"
[ -f "$deb" ] || fail "no $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6widgets6 libqt6gui6 libklu fonts-wqy-microhei libc6; do
    grep -q "$need" <<<"$depends" || fail "Depends lacks $need: $depends"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for f in usr/bin/ampera usr/bin/ampera-cli usr/bin/ampera-render \
         usr/share/applications/org.ampera.Ampera.desktop usr/share/metainfo/org.ampera.Ampera.metainfo.xml \
         usr/share/mime/packages/ampera.xml usr/share/icons/hicolor/48x48/apps/ampera.png \
         usr/share/ampera/assets/examples/ohms_law.vtx; do
    [ -e "$root/$f" ] || fail "$f is not in the package"
done
if dpkg-deb -c "$deb" | grep -E '_tests|_bench|ampera-(demo|make-examples|art)'; then
    fail "test or tool programs in the package"
fi
out=$(cd / && env -u AMPERA_DATA "$root/usr/bin/ampera-cli" solve "$root/usr/share/ampera/assets/examples/ohms_law.vtx")
grep -q "every circuit solved" <<<"$out" || fail "the packaged ampera-cli: $out"

if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
    apt-get install -s -q "$deb" >/dev/null 2>&1 || fail "apt could not install it: $(apt-get install -s "$deb" 2>&1 | tail -3)"
fi
echo "package check: $(basename "$deb") holds the bench and installs"
