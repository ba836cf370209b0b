#!/usr/bin/env bash
# Builds the Debian packages corvane_<version>_<arch>.deb and python3-corvane_<version>_<arch>.deb
# in build-package/ (Release, with Debian's hardening flags) and checks them: the listing holds
# both programs, the manual pages, the desktop entry and the copyright file, and the Python
# package with its own; lintian reports no error; both programs of the unpacked package answer
# --version with the project's version, and the unpacked Python package imports and tells it too.
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
# Installing (and so cpack) builds only the installed targets, not the tests and benchmarks.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_BENCH=OFF \
      -DCORVANE_PYTHON_INSTALL_DIR=lib/python3/dist-packages \
      -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
      -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" > /dev/null
cmake --build "$build" -j"$(nproc)" --target corvane corvane-cli corvane_docs corvane_python
(cd "$build" && cpack -G DEB > /dev/null)

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$build/corvane_${version}_$(dpkg --print-architecture).deb"
fail() { echo "package.sh: $*" >&2; exit 1; }
[ -f "$deb" ] || fail "cpack did not write $deb"

listing=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in ./usr/bin/corvane ./usr/bin/corvane-cli ./usr/share/man/man1/corvane.1.gz \
            ./usr/share/man/man1/corvane-cli.1.gz ./usr/share/applications/corvane.desktop \
            ./usr/share/doc/corvane/copyright; do
  grep -qxF "$path" <<< "$listing" || fail "$path is missing from $deb"
done

pydeb="$build/python3-corvane_${version}_$(dpkg --print-architecture).deb"
[ -f "$pydeb" ] || fail "cpack did not write $pydeb"
pylisting=$(dpkg-deb --contents "$pydeb" | awk '{print $6}')
for path in ./usr/lib/python3/dist-packages/corvane/__init__.py ./usr/lib/python3/dist-packages/corvane/dask.py \
            ./usr/lib/python3/dist-packages/corvane/__init__.pyi ./usr/share/doc/python3-corvane/copyright; do
  grep -qxF "$path" <<< "$pylisting" || fail "$path is missing from $pydeb"
done
grep -q '^./usr/lib/python3/dist-packages/corvane/_corvane\.cpython-.*\.so$' <<< "$pylisting" ||
  fail "the compiled module is missing from $pydeb"

echo "lintian:"
lintian --fail-on error "$deb" "$pydeb" || fail "lintian reports errors"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
[ "$("$work/usr/bin/corvane-cli" --version)" = "corvane-cli $version" ] || fail "unpacked corvane-cli --version"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/usr/bin/corvane" --version)" = "corvane $version" ] ||
  fail "unpacked corvane --version"

dpkg-deb -x "$pydeb" "$work"
[ "$(PYTHONPATH="$work/usr/lib/python3/dist-packages" /usr/bin/python3 -c 'import corvane; print(corvane.__version__)')" = \
  "$version" ] || fail "the unpacked Python package does not import"

echo "$deb  $(stat -c %s "$deb") bytes"
dpkg-deb --field "$deb" Depends
echo "$pydeb  $(stat -c %s "$pydeb") bytes"
dpkg-deb --field "$pydeb" Depends
