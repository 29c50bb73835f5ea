#!/usr/bin/env bash
# Builds the Debian package, checks what it holds, installs it with apt,
# starts the installed program on an Xvfb desktop of its own with openbox,
# closes it with Escape, and removes the package again.
#   e2e/test_package.sh                   Release build in a temporary directory
#   KELVANE_PACKAGE_BUILD=dir e2e/...     package an already configured build
# Needs root (apt-get install); exits 77 (skipped) without it.
set -uo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
passed=0
failed=0
xvfb_pid=
openbox_pid=
app_pid=
we_installed=no

pass() { echo "PASS: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1${2:+ ($2)}"; failed=$((failed + 1)); }
# check NAME COMMAND...: passes NAME when COMMAND succeeds.
check() { local name=$1; shift; if "$@"; then pass "$name"; else fail "$name"; fi; }
# A step the later ones build on: when it fails there is nothing left to test.
require() { [[ $failed -eq 0 ]] || finish; }

finish() {
    echo "$passed passed, $failed failed"
    [[ $failed -eq 0 ]] && exit 0 || exit 1
}

cleanup() {
    local pid
    for pid in "$app_pid" "$openbox_pid" "$xvfb_pid"; do
        [[ -n $pid ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    if [[ $we_installed == yes ]]; then
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq kelvane >/dev/null 2>&1
    fi
    rm -rf "$work"
}

if [[ $(id -u) -ne 0 ]]; then
    echo "SKIP: installing the package needs root"
    exit 77
fi
for tool in cmake cpack dpkg-deb desktop-file-validate apt-get Xvfb openbox xdotool xprop python3; do
    command -v "$tool" >/dev/null || { fail "tool $tool is missing" "scripts/setup --test installs it"; }
done
require

work=$(mktemp -d /tmp/kelvane-package.XXXXXX)
trap cleanup EXIT

# --- build and pack -----------------------------------------------------------

build=${KELVANE_PACKAGE_BUILD:-$work/build}
if [[ -z ${KELVANE_PACKAGE_BUILD:-} ]]; then
    cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKELVANE_BUILD_TESTS=OFF >"$work/configure.log" 2>&1 \
        || { tail -20 "$work/configure.log"; fail "configure"; }
    require
fi
cmake --build "$build" -j2 >"$work/build.log" 2>&1 || { tail -30 "$work/build.log"; fail "build"; }
require
(cd "$build" && cpack -G DEB -B "$work/pkg") >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack -G DEB"; }
require

version=$(sed -nE 's/^project\(Kelvane VERSION ([0-9.]+).*/\1/p' "$source_dir/CMakeLists.txt")
arch=$(dpkg --print-architecture)
deb=$work/pkg/kelvane_${version}_${arch}.deb
if [[ -f $deb ]]; then pass "package file is kelvane_${version}_${arch}.deb"; else
    fail "package file kelvane_${version}_${arch}.deb" "found: $(cd "$work/pkg" && ls ./*.deb 2>/dev/null)"; fi
require

# --- control fields -------------------------------------------------------------

field() { dpkg-deb -f "$deb" "$1"; }
control_ok=yes
for expected in "Package=kelvane" "Version=$version" "Architecture=$arch" "Section=net" \
                "Maintainer=Kelvane developers <team@kelvane.example>"; do
    name=${expected%%=*}
    actual=$(field "$name")
    [[ $actual == "${expected#*=}" ]] || { control_ok=no; echo "  $name is '$actual', not '${expected#*=}'"; }
done
[[ -n $(field Description) ]] || { control_ok=no; echo "  Description is empty"; }
# Depends as a list of bare package names, versions and alternatives dropped.
depends=" $(field Depends | sed -E 's/\([^)]*\)//g; s/\|/,/g; s/[[:space:]]//g; s/,/ /g') "
for package in libqt6widgets6 libqt6gui6 libqt6core6 fonts-wqy-zenhei fonts-arphic-uming xdg-utils; do
    [[ $depends == *" $package "* ]] || { control_ok=no; echo "  Depends lacks $package: $(field Depends)"; }
done
check "control fields and run-time dependencies" test $control_ok = yes

# --- contents ---------------------------------------------------------------------

icon_sizes=(16 22 24 32 48 64 128 256)
expected_files=(./usr/bin/kelvane ./usr/share/applications/kelvane.desktop
                ./usr/share/icons/hicolor/scalable/apps/kelvane.svg)
for size in "${icon_sizes[@]}"; do
    expected_files+=("./usr/share/icons/hicolor/${size}x${size}/apps/kelvane.png")
done
# Every file, and nothing more: no tests, benchmarks or libraries come along.
actual_list=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
expected_list=$(printf '%s\n' "${expected_files[@]}" | sort)
if [[ $actual_list == "$expected_list" ]]; then pass "package holds exactly the program, its menu entry and icons"; else
    fail "package contents"; diff <(echo "$expected_list") <(echo "$actual_list") | sed 's/^/  /'; fi

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/kelvane.desktop
if report=$(desktop-file-validate "$desktop" 2>&1) && [[ -z $report ]]; then pass "desktop-file-validate"; else
    fail "desktop-file-validate"; echo "$report"; fi

desktop_key() { sed -n "s/^$1=//p" "$desktop"; }
entry_ok=yes
for expected in "Name=Kelvane" "Exec=kelvane" "Icon=kelvane" "Terminal=false" "Type=Application" "Categories=Network;"; do
    [[ $(desktop_key "${expected%%=*}") == "${expected#*=}" ]] || { entry_ok=no; echo "  not $expected"; }
done
# The Chinese comment must survive as UTF-8 for the menus that show it.
grep -q '^Comment\[zh_CN\]=.*[^ -~]' "$desktop" || { entry_ok=no; echo "  no Chinese Comment[zh_CN]"; }
check "menu entry keys" test $entry_ok = yes

# An icon in a size directory of another size is scaled twice, or not shown.
icons_ok=yes
for size in "${icon_sizes[@]}"; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/kelvane.png
    read -r width height < <(python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read(24)
assert data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR"
print(*struct.unpack(">II", data[16:24]))' "$png" 2>/dev/null)
    [[ ${width:-} == "$size" && ${height:-} == "$size" ]] || { icons_ok=no; echo "  ${size}x${size} icon is ${width:-?}x${height:-?}"; }
done
python3 -c '
import sys, xml.etree.ElementTree as tree
assert tree.parse(sys.argv[1]).getroot().tag == "{http://www.w3.org/2000/svg}svg"' \
    "$root/usr/share/icons/hicolor/scalable/apps/kelvane.svg" 2>/dev/null || { icons_ok=no; echo "  scalable icon is no SVG"; }
check "icons are PNGs of their directory's size, and an SVG" test $icons_ok = yes

# --- install and run ---------------------------------------------------------------

require
if DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1; then
    we_installed=yes
    pass "apt-get install"
else
    cat "$work/apt.log"; fail "apt-get install"
fi
require
found=$(command -v kelvane)
check "kelvane on PATH is /usr/bin/kelvane (is '$found')" test "$found" = /usr/bin/kelvane

# A desktop session's environment, not this shell's: the installed program
# must find its libraries and plugins by itself.
session_env=(env -i "PATH=/usr/local/bin:/usr/bin:/bin" "HOME=$work" "LANG=C.UTF-8"
             "XDG_RUNTIME_DIR=$work" "DBUS_SESSION_BUS_ADDRESS=disabled:")
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 display_number <"$work/display" || { fail "Xvfb did not start"; require; }
session_env+=("DISPLAY=:$display_number")
"${session_env[@]}" openbox >/dev/null 2>&1 &
openbox_pid=$!
for _ in $(seq 100); do
    "${session_env[@]}" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'WINDOW' && break
    sleep 0.1
done

# Started the way a menu starts it: the entry's Exec line, looked up on PATH.
read -ra exec_line < <(sed -n 's/^Exec=//p' /usr/share/applications/kelvane.desktop)
(cd / && exec "${session_env[@]}" "${exec_line[@]}") >"$work/app.log" 2>&1 &
app_pid=$!
window=$("${session_env[@]}" timeout 30 xdotool search --sync --onlyvisible --name '^Kelvane ' 2>/dev/null | head -1)
if [[ -n $window ]]; then pass "installed program maps its 'Kelvane ...' window"; else
    fail "no 'Kelvane ...' window within 30 s"; cat "$work/app.log"; fi
require

# Docks and task bars tie the window to the menu entry by its class.
wm_class=$("${session_env[@]}" xprop -id "$window" WM_CLASS | sed -nE 's/.*= "[^"]*", "([^"]*)"/\1/p')
startup_class=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/kelvane.desktop)
check "window class '$wm_class' is the entry's StartupWMClass '$startup_class'" \
    test -n "$wm_class" -a "$wm_class" = "$startup_class"

"${session_env[@]}" xdotool windowactivate --sync "$window" >/dev/null 2>&1
"${session_env[@]}" xdotool key Escape
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
    fail "program still running 10 s after Escape"
else
    wait "$app_pid"
    status=$?
    app_pid=
    check "Escape closes the program with status 0 (is $status)" test $status -eq 0
    [[ $status -eq 0 ]] || cat "$work/app.log"
fi

# --- remove ---------------------------------------------------------------------------

if DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq kelvane >"$work/apt.log" 2>&1 && [[ ! -e /usr/bin/kelvane ]]; then
    we_installed=no
    pass "apt-get remove takes the program away"
else
    cat "$work/apt.log"; fail "apt-get remove"
fi
finish
