#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing. Further package
# names given as arguments are installed the same way (the package test adds xvfb, for example).
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libzip-dev libpugixml-dev libexpat1-dev libfreexl-dev libcurl4-openssl-dev libzint-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk qt6-translations-l10n
  python3-openpyxl python3-aiosmtpd
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

# The SMB tests (run-tests.sh asks for samba) start a private smbd of their own on the loopback. The system-wide file server
# that the samba package enables on installation is not wanted: it is stopped and disabled when
# this script has just installed it (a samba set up before is left as it is).
if [[ " ${missing[*]} " == *" samba "* ]] && [ -d /run/systemd/system ]; then
  "${sudo_cmd[@]}" systemctl disable --now smbd nmbd samba-ad-dc >/dev/null 2>&1 || true
fi
