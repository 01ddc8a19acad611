#!/usr/bin/env bash
# Runs a command as another PC: in its own UTS namespace with the host name NAME, so that the
# program sees a host of its own (QSysInfo::machineHostName) while sharing this machine's mounts.
# Usage: smb_pc.sh NAME CMD [ARGS…]
set -eu
if [ $# -lt 2 ]; then
  echo "usage: smb_pc.sh NAME CMD [ARGS…]" >&2
  exit 2
fi
name=$1
shift
exec unshare --uts sh -c 'hostname "$0" && exec "$@"' "$name" "$@"
