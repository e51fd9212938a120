#!/usr/bin/env bash
# The package check: builds the .deb from this checkout with scripts/package, lints it, unpacks
# it into a scratch root and checks that what it installs fits together as an installed
# program needs: the help window finds the manual beside the program, the menu entry starts
# a program the package holds with an icon it holds, nothing of the test suite comes along.
# Usage: check_package.sh WORKDIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
rm -rf "$work"; mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

# What a package build in the checkout itself would leave: debhelper's files and the build tree.
leftovers() { (cd "$root" && { git ls-files --others -- debian 2>/dev/null; ls -d obj-* 2>/dev/null; } || true); }
before=$(leftovers)
deb=$("$root/scripts/package" "$work")
[ "$(leftovers)" = "$before" ] || fail "building the package left files in the checkout: $(leftovers)"
version=$(sed -n 's/^project(Pallo VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
case "$(basename "$deb")" in
  "pallo_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb") ;;
  *) fail "package named $(basename "$deb"), version $version" ;;
esac

# Errors and warnings fail; the justified ones are overridden in debian/pallo.lintian-overrides.
lintian --fail-on error,warning "$deb"

depends=$(dpkg-deb -f "$deb" Depends)
case "$depends" in *libqt6widgets6*) ;; *) fail "Depends not computed from the libraries: $depends" ;; esac

tree="$work/root"
dpkg -x "$deb" "$tree"
files=$(cd "$tree" && find . -type f -o -type l | sed 's|^\./|/|' | sort)
echo "$files"
outside=$(echo "$files" | grep -v '^/usr/' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
suite=$(echo "$files" | grep -E '/(pallo_tests|pallo_killdrill|bench_|fuzz_)' || true)
[ -z "$suite" ] || fail "the test suite was packaged: $suite"

program=/usr/bin/pallo
[ -x "$tree$program" ] || fail "no program at $program"
[ "$("$tree$program" --version)" = "Pallo $version" ] || fail "$program --version: $("$tree$program" --version)"
# The help window looks beside the program, then in ../share/pallo/.
[ -f "$tree$(dirname "$program")/../share/pallo/Pallo.html" ] || fail "manual not where the help window looks"

desktop=$tree/usr/share/applications/pallo.desktop
desktop-file-validate "$desktop"
exec_name=$(sed -n 's/^Exec=\([^ ]*\) .*/\1/p' "$desktop")
[ "$exec_name" = "$(basename "$program")" ] || fail "the menu entry starts '$exec_name'"
grep -q '^Exec=.* %f$' "$desktop" || fail "the menu entry takes no file from the file manager"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in scalable 48x48 64x64 128x128 256x256; do
  ls "$tree/usr/share/icons/hicolor/$size/apps/$icon".* >/dev/null 2>&1 || fail "no $size icon '$icon'"
done
for size in 48 64 128 256; do
  png="$tree/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  got=$(identify -format '%wx%h' "$png")
  [ "$got" = "${size}x$size" ] || fail "$png is $got, not $size px"
done

metainfo=$(ls "$tree"/usr/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "$metainfo"
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
  fail "the AppStream data launches another desktop entry"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the AppStream data lacks release $version"

for page in /usr/share/man/man1/pallo.1.gz /usr/share/man/ja/man1/pallo.1.gz; do
  [ -f "$tree$page" ] || fail "no manual page $page"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$tree$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
done
echo "package check passed: $deb"
