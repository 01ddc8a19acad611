#!/usr/bin/env bash
# Builds the Debian package from the build tree, installs it, starts "TEV在庫管理" the way its desktop
# entry does under a virtual X display with a fresh home folder, checks that the menu window appears
# and that tev-cli works from the installed location, then removes the package again.
# Needs root (or sudo) for dpkg; installs xvfb and x11-utils through the project's script.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh xvfb x11-utils
[ -x build/bin/tev-inventory ] || bash scripts/build.sh

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

work=$(mktemp -d)
cleanup() {
  "${sudo_cmd[@]}" dpkg -r tev-inventory >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

(cd build && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/tev-inventory_*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Depends

"${sudo_cmd[@]}" dpkg -i "$deb" >/dev/null
for path in /usr/bin/tev-inventory /usr/bin/tev-cli /usr/share/applications/tev-inventory.desktop \
            /usr/share/icons/hicolor/scalable/apps/tev-inventory.svg \
            "/usr/share/tev-inventory/resources/原本Excel/在庫出力台帳.xlsx"; do
  [ -e "$path" ] || { echo "package-test: $path is not installed" >&2; exit 1; }
done

# The command of the desktop entry, started for a user who has never run the program.
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/tev-inventory.desktop)
home="$work/home"
mkdir -p "$home"
HOME="$home" XDG_DATA_HOME="$home/.local/share" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s '-screen 0 1400x900x24' bash -c '
    '"$exec_line"' & app=$!
    for _ in $(seq 1 40); do
      if xwininfo -root -tree 2>/dev/null | grep -q "TEV在庫管理"; then
        echo "menu window: shown"; kill "$app"; wait "$app" 2>/dev/null; exit 0
      fi
      sleep 0.5
    done
    echo "package-test: the menu window did not appear" >&2; kill "$app" 2>/dev/null; exit 1'

# The first start made the client folder from the installed resources.
client="$home/.local/share/tev-inventory/"
[ -e "$client/原本Excel/在庫出力台帳.xlsx" ] || { echo "package-test: the client folder was not seeded" >&2; exit 1; }
/usr/bin/tev-cli --client-folder "$client" info | grep -q '^records: ' \
  || { echo "package-test: tev-cli does not work from the installed location" >&2; exit 1; }

"${sudo_cmd[@]}" dpkg -r tev-inventory >/dev/null
for path in /usr/bin/tev-inventory /usr/share/tev-inventory; do
  [ ! -e "$path" ] || { echo "package-test: $path is left after removal" >&2; exit 1; }
done
echo "package-test: installed, started and removed cleanly"
