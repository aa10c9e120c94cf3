#!/usr/bin/env bash
# Installs a build into a scratch prefix and uses it from there:
#   scripts/check_install.sh BUILD_DIR
# The programs, assets, examples, desktop entry, metainfo, file type and
# icons must be where the desktop looks for them, and ampera-cli must solve
# an installed example from the installed paths.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install check: $*" >&2; exit 1; }
for f in bin/ampera bin/ampera-cli bin/ampera-render \
         share/applications/org.ampera.Ampera.desktop \
         share/metainfo/org.ampera.Ampera.metainfo.xml \
         share/mime/packages/ampera.xml \
         share/ampera/assets/help/index.html \
         share/ampera/assets/examples/ohms_law.vtx \
         share/icons/hicolor/48x48/apps/ampera.png \
         share/icons/hicolor/256x256/apps/ampera.png \
         share/icons/hicolor/48x48/mimetypes/application-x-ampera-experiment.png; do
    [ -e "$prefix/$f" ] || fail "$f is missing"
done
[ ! -e "$prefix/share/ampera/assets/desktop" ] || fail "the desktop icons went into the assets too"

# From the installed paths only: no build tree, no AMPERA_DATA.
out=$(cd / && env -u AMPERA_DATA "$prefix/bin/ampera-cli" solve "$prefix/share/ampera/assets/examples/ohms_law.vtx")
grep -q "every circuit solved" <<<"$out" || fail "ampera-cli solve of the installed example: $out"
"$prefix/bin/ampera-cli" --version | grep -q "^ampera-cli " || fail "ampera-cli --version"
"$prefix/bin/ampera" --version | grep -q "^ampera " || fail "ampera --version"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/org.ampera.Ampera.desktop"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/org.ampera.Ampera.metainfo.xml" >/dev/null
fi
# The file type: *.vtx is an Ampera experiment once the mime database knows it.
if command -v update-mime-database >/dev/null && command -v xdg-mime >/dev/null; then
    update-mime-database "$prefix/share/mime" >/dev/null 2>&1
    type=$(XDG_DATA_DIRS="$prefix/share" XDG_DATA_HOME="$prefix/none" \
           xdg-mime query filetype "$prefix/share/ampera/assets/examples/ohms_law.vtx" 2>/dev/null || true)
    [ -z "$type" ] || [ "$type" = application/x-ampera-experiment ] || fail "*.vtx is $type"
fi
echo "install check: every file in place; the installed ampera-cli solved an installed example"
