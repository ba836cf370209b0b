#!/usr/bin/env bash
# Builds the Debian packages corvane_<version>_<arch>.deb and python3-corvane_<version>_<arch>.deb
# in build-package/ (Release, with Debian's hardening flags on every program and module) and
# checks them: the listing holds both programs, the manual pages, the desktop entry and the
# copyright file, and the Python package with its own; the program's Depends names the
# ephemeris data and the fonts; every ELF file of the program's package is linked with
# BIND_NOW; lintian reports no error, and lintian --pedantic nothing on the program's package;
# the program's package unpacked into a temporary root (dpkg -x) answers --version, draws a
# chart of a place it searches and writes a PDF, and the unpacked Python package imports.
# Then both packages are installed into a throwaway root (dpkg --root, never this machine's
# own system), where the Python package is byte-compiled and its version is known to
# importlib.metadata, docs/json.md, the desktop entry and the chart files' MIME type are in
# place; after a purge nothing of either is left in that root.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=build-package

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# The changelog entry is dated by the last commit, so the same tree gives the same package.
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && git rev-parse --git-dir > /dev/null 2>&1; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  export SOURCE_DATE_EPOCH
fi
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
# The report module lives in the architecture's own library folder, as Debian's policy for
# private libraries has it; ldconfig then has no reason to run for it.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
# Installing (and so cpack) builds only the installed targets, not the tests and benchmarks.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_BENCH=OFF \
      -DCORVANE_PYTHON_INSTALL_DIR=lib/python3/dist-packages \
      -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
      -DCMAKE_INSTALL_LIBDIR="lib/$multiarch" -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
      -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" \
      -DCMAKE_STRIP="$PWD/scripts/strip_for_package.sh" > /dev/null
cmake --build "$build" -j"$(nproc)" --target corvane corvane-cli corvane_docs corvane_python
(cd "$build" && cpack -G DEB > /dev/null)

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$build/corvane_${version}_$(dpkg --print-architecture).deb"
fail() { echo "package.sh: $*" >&2; exit 1; }
[ -f "$deb" ] || fail "cpack did not write $deb"

listing=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in ./usr/bin/corvane ./usr/bin/corvane-cli ./usr/share/man/man1/corvane.1.gz \
            ./usr/share/man/man1/corvane-cli.1.gz ./usr/share/applications/corvane.desktop \
            ./usr/share/doc/corvane/copyright ./usr/share/doc/corvane/json.md ./usr/share/mime/packages/corvane.xml; do
  grep -qxF "$path" <<< "$listing" || fail "$path is missing from $deb"
done

depends=$(dpkg-deb --field "$deb" Depends)
for needed in swe-standard-data fonts-dejavu-core; do
  grep -qw "$needed" <<< "$depends" || fail "Depends lacks $needed: $depends"
done

pydeb="$build/python3-corvane_${version}_$(dpkg --print-architecture).deb"
[ -f "$pydeb" ] || fail "cpack did not write $pydeb"
pylisting=$(dpkg-deb --contents "$pydeb" | awk '{print $6}')
for path in ./usr/lib/python3/dist-packages/corvane/__init__.py ./usr/lib/python3/dist-packages/corvane/dask.py \
            ./usr/lib/python3/dist-packages/corvane/__init__.pyi ./usr/share/doc/python3-corvane/copyright \
            "./usr/lib/python3/dist-packages/corvane-$version.dist-info/METADATA"; do
  grep -qxF "$path" <<< "$pylisting" || fail "$path is missing from $pydeb"
done
grep -q '^./usr/lib/python3/dist-packages/corvane/_corvane\.cpython-.*\.so$' <<< "$pylisting" ||
  fail "the compiled module is missing from $pydeb"

echo "lintian:"
lintian --fail-on error "$deb" "$pydeb" || fail "lintian reports errors"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
# Every ELF file resolves its symbols at load time (BIND_NOW), so its relocations can be
# made read-only.
while IFS= read -r -d '' file; do
  if head -c 4 "$file" | grep -q $'\x7fELF'; then
    # readelf shows "(FLAGS) BIND_NOW" and "(FLAGS_1) Flags: NOW"; either says it.
    readelf -d "$file" | grep -Eq '\(FLAGS\)[[:space:]]+BIND_NOW|\(FLAGS_1\)[[:space:]]+Flags:.* NOW( |$)' ||
      fail "$file is not linked with BIND_NOW"
  fi
done < <(find "$work" -type f -print0)

echo "lintian -I -E --pedantic:"
# Every finding on both packages fails the check, but the note on the size of the program's
# data (arch-dep-package-has-big-usr-share: the place file). lintian's own warning about
# running as root is not a finding.
lintian_out=$(lintian -I -E --pedantic "$deb" "$pydeb" 2>&1 | grep -vxF 'running with root privileges is not recommended!' || true)
[ -z "$lintian_out" ] || echo "$lintian_out"
if grep -v -E '^I: corvane: arch-dep-package-has-big-usr-share ' <<< "$lintian_out" | grep -q .; then
  fail "lintian reports findings"
fi
# No ELF file keeps the compilers' .comment section.
while IFS= read -r -d '' file; do
  if head -c 4 "$file" | grep -q $'\x7fELF' && readelf -S "$file" | grep -qF ' .comment'; then
    fail "$file keeps its .comment section"
  fi
done < <(find "$work" -type f -print0)
# The desktop entry opens chart files: %f in Exec, their MIME type, one main category.
entry="$work/usr/share/applications/corvane.desktop"
grep -qx 'Exec=corvane %f' "$entry" || fail "the desktop entry's Exec lacks %f"
grep -qx 'MimeType=application/x-corvane-chart;' "$entry" || fail "the desktop entry names no MIME type"
mains=$(sed -n 's/^Categories=//p' "$entry" | tr ';' '\n' |
        grep -cxE 'AudioVideo|Audio|Video|Development|Education|Game|Graphics|Network|Office|Science|Settings|System|Utility' || true)
[ "$mains" = 1 ] || fail "the desktop entry has $mains main categories"
grep -q 'glob pattern="\*\.zdh"' "$work/usr/share/mime/packages/corvane.xml" || fail "the MIME type has no *.zdh glob"
if command -v desktop-file-validate > /dev/null; then desktop-file-validate "$entry" || fail "desktop-file-validate"; fi
[ "$("$work/usr/bin/corvane-cli" --version)" = "corvane-cli $version" ] || fail "unpacked corvane-cli --version"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/usr/bin/corvane" --version)" = "corvane $version" ] ||
  fail "unpacked corvane --version"
# A chart of a searched place and a PDF from the unpacked programs: the place file and the
# report module are found beside the program, as in an installed package.
out="$work/smoke"
mkdir "$out"
"$work/usr/bin/corvane-cli" --name "Ram Kumar" --date 1975-06-05 --time 07:05 --place "New Delhi" --json \
  > "$out/chart.json" || fail "unpacked corvane-cli --place"
grep -q '"city": "New Delhi"' "$out/chart.json" || fail "the --place chart has no New Delhi"
"$work/usr/bin/corvane-cli" --name "Ram Kumar" --date 1975-06-05 --time 07:05 --place "New Delhi" \
  --pdf "$out/chart.pdf" > /dev/null || fail "unpacked corvane-cli --pdf"
[ "$(head -c 5 "$out/chart.pdf")" = "%PDF-" ] || fail "the unpacked program's PDF is not a PDF"

dpkg-deb -x "$pydeb" "$work"
[ "$(PYTHONPATH="$work/usr/lib/python3/dist-packages" /usr/bin/python3 -c 'import corvane; print(corvane.__version__)')" = \
  "$version" ] || fail "the unpacked Python package does not import"

# Installed into a throwaway root: the maintainer scripts run there without a chroot, with
# DPKG_ROOT naming it, and dpkg keeps its database there too.
root=$(mktemp -d)
trap 'rm -rf "$work" "$root"' EXIT
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
in_root() { dpkg --root="$root" --force-script-chrootless --force-depends --force-not-root "$@" > /dev/null; }
in_root -i "$deb" "$pydeb" || fail "dpkg --root -i"
site="$root/usr/lib/python3/dist-packages"
compgen -G "$site/corvane/__pycache__/__init__.cpython-*.pyc" > /dev/null || fail "py3compile did not run at install"
[ "$(PYTHONPATH="$site" /usr/bin/python3 -c 'import importlib.metadata as m; print(m.version("corvane"))')" = \
  "$version" ] || fail "importlib.metadata does not know corvane $version"
[ -s "$root/usr/share/doc/corvane/json.md" ] || fail "json.md is not installed"
in_root --purge python3-corvane corvane || fail "dpkg --root --purge"
left=$(find "$root" -mindepth 1 -not -path "$root/var/lib/dpkg*" \( -type f -o -name __pycache__ \) -print)
[ -z "$left" ] || fail "the purge left: $left"

echo "$deb  $(stat -c %s "$deb") bytes"
dpkg-deb --field "$deb" Depends
echo "$pydeb  $(stat -c %s "$pydeb") bytes"
dpkg-deb --field "$pydeb" Depends
