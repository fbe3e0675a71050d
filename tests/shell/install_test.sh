#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks the layout a user gets (program and
# library in lib/folivo, manual, launcher, desktop entry, metadata, man page, icon) and the
# developer package (CMake package, Designer plugin); then starts the installed program
# through a link to the launcher, as the smoke test does, and has it open its manual.
# Usage: install_test.sh <build dir> <source dir>
set -euo pipefail
build=${1:?build dir}
source_dir=${2:?source dir}
here=$(dirname "$(readlink -f "$0")")
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

lib="$prefix/lib/folivo"
[ -x "$lib/folivo" ] || fail "program not in lib/folivo"
[ -e "$lib/libzkbutton2.so.2" ] || fail "libzkbutton2.so.2 not beside the program"
missing=$(ldd "$lib/folivo" | grep "not found" || true)
[ -z "$missing" ] || fail "program does not find its libraries: $missing"
manual="$prefix/share/doc/folivo/html"
[ -f "$manual/index.htm" ] || fail "manual not installed in share/doc/folivo/html"
[ -d "$manual/images" ] || fail "manual pictures not installed"
python3 "$source_dir/tests/dialogs/check_manual.py" pages "$manual" >/dev/null ||
    fail "installed manual pages are broken"
[ -f "$prefix/share/metainfo/jp.folivo.Folivo.metainfo.xml" ] || fail "no AppStream metadata"
[ -f "$prefix/share/man/man1/folivo.1" ] || fail "no man page"

launcher="$prefix/bin/folivo"
[ -x "$launcher" ] || fail "no launcher in bin"
sh -n "$launcher" || fail "launcher is not a valid shell script"

desktop="$prefix/share/applications/folivo.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
for line in "Type=Application" "Name=Folivo" "Exec=folivo" "Icon=folivo"; do
    grep -qx "$line" "$desktop" || fail "desktop entry lacks $line"
done
icon="$prefix/share/icons/hicolor/scalable/apps/folivo.svg"
[ -f "$icon" ] || fail "no icon"
grep -q "<svg" "$icon" || fail "icon is not SVG"

# The developer package: the example built against the install through find_package and
# through pkg-config, and Designer's plugin found in the prefix's Qt plugin folder.
example="$source_dir/examples/hello"
cmake -S "$example" -B "$prefix/hello-cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$prefix/hello-cmake" >/dev/null
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
c++ -std=c++20 -fPIC "$example/main.cpp" $(pkg-config --cflags --libs zkbutton2) \
    -Wl,-rpath,"$prefix/lib" -o "$prefix/hello-pkgconfig"
# A sanitized library needs its runtime loaded first in a program built without it.
asan=$(ldd "$lib/../libzkbutton2.so.2" | awk '/libasan/ { print $3 }')
for hello in "$prefix/hello-cmake/zkbutton2-hello" "$prefix/hello-pkgconfig"; do
    LD_PRELOAD="$asan" QT_QPA_PLATFORM=offscreen "$hello" --click | grep -q "^Click: button" ||
        fail "$hello: no click"
done
designer="$prefix/lib/qt6/plugins"
found=$(ldd "$designer/designer/libzkbutton2_designer.so" | awk '/libzkbutton2\.so/ { print $3 }')
[ "$(readlink -f "$found")" = "$(readlink -f "$lib/../libzkbutton2.so.2")" ] ||
    fail "the Designer plugin does not find the installed library: $found"
if [ -x "$build/bin/zkbutton_designer_tests" ]; then
    QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$designer" "$build/bin/zkbutton_designer_tests" \
        --gtest_filter=DesignerPlugin.FoundThroughQtPluginPath >/dev/null ||
        fail "Designer does not find the plugin through QT_PLUGIN_PATH"
fi

# Started through a link from elsewhere, the launcher still finds the program.
mkdir "$prefix/elsewhere"
ln -s "$launcher" "$prefix/elsewhere/folivo"
SMOKE_EXPECT_MANUAL="$manual/index.htm" bash "$here/xvfb_smoke.sh" "$prefix/elsewhere/folivo"
echo "PASS: install layout"
