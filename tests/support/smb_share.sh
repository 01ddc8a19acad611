#!/usr/bin/env bash
# A file server for the tests: starts a private smbd on 127.0.0.1 that exports a temporary folder,
# mounts the share twice through smbnetfs (FUSE), once per "PC", and runs a command with
#
#   TEV_SMB_PC1, TEV_SMB_PC2   the share's folder as each PC's mount shows it
#   TEV_SMB_SERVER_DIR         the exported folder itself (what the server has on its disk)
#   TEV_SMB_PC                 tests/support/smb_pc.sh: `"$TEV_SMB_PC" NAME CMD…` runs CMD as host NAME
#   TEV_SMB_SHARE              this script: `"$TEV_SMB_SHARE" --remount 1|2` remounts one PC's mount
#                              (after an EIO smbnetfs can keep failing every later call on that mount)
#   TEV_SMB_STATE              the temporary folder with the server's and the mounts' state and logs
#
# Usage: smb_share.sh CMD [ARGS…]      the command's exit status is the script's; the command is
#                                      stopped after TEV_SMB_TIME_LIMIT seconds (default 100), so
#                                      that the clean-up still runs inside a test's time-out
#        smb_share.sh --remount N      from inside such a command
#
# Nothing outside the temporary folder is changed: smbd gets its own configuration, state, lock,
# pid and log folders, and each mount its own HOME with the client settings. Everything is
# stopped and removed on every way out. Exit 77 (with "SMB share tests skipped: …") when root,
# FUSE, unshare, smbd or smbnetfs is missing or the share does not come up.
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
share_name=tev

skip() {
  echo "SMB share tests skipped: $*"
  exit 77
}

# Mounts PC number $1 of the state folder $2 and waits until its view of the share answers.
mount_pc() {
  local n=$1 state=$2 home=$2/pc$1/home mnt=$2/pc$1/mnt server
  server=$(cat "$state/server/address")
  mkdir -p "$home/.smb" "$mnt"
  local i
  # Started in the foreground (in the background of this shell) so that its PID is ours to stop.
  # Without the kernel's attribute and page caches: a PC sees the other's writes at once (with
  # them a size is up to a second old and an open file keeps old contents), as a client that
  # keeps its cache coherent with the server does, and as the ledger's appends rely on.
  HOME=$home smbnetfs "$mnt" -f -o config="$home/.smb/smbnetfs.conf",attr_timeout=0,entry_timeout=0,negative_timeout=0,direct_io \
    >>"$state/pc$n/smbnetfs.log" 2>&1 &
  echo $! >"$state/pc$n/smbnetfs.pid"
  for i in $(seq 1 100); do
    if ls "$mnt/$server/$share_name/" >/dev/null 2>&1; then
      return 0
    fi
    sleep 0.2
  done
  return 1
}

unmount_pc() {
  local n=$1 state=$2 mnt=$2/pc$1/mnt pid
  if mountpoint -q "$mnt" 2>/dev/null; then
    fusermount -u "$mnt" 2>/dev/null || fusermount -uz "$mnt" 2>/dev/null || umount -l "$mnt" 2>/dev/null
  fi
  if [ -s "$state/pc$n/smbnetfs.pid" ]; then
    pid=$(cat "$state/pc$n/smbnetfs.pid")
    kill "$pid" 2>/dev/null
    for _ in $(seq 1 25); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
    kill -9 "$pid" 2>/dev/null
    rm -f "$state/pc$n/smbnetfs.pid"
  fi
}

smb_remount() {
  local n=$1 state=${TEV_SMB_STATE:?smb_remount runs inside smb_share.sh}
  unmount_pc "$n" "$state"
  mount_pc "$n" "$state" || { echo "smb_share.sh: PC$n could not be mounted again" >&2; return 1; }
}

if [ "${1:-}" = "--remount" ]; then
  case "${2:-}" in
    1 | 2) smb_remount "$2"; exit $? ;;
    *) echo "usage: smb_share.sh --remount 1|2" >&2; exit 2 ;;
  esac
fi
if [ $# -eq 0 ]; then
  echo "usage: smb_share.sh CMD [ARGS…]" >&2
  exit 2
fi

# What the environment needs; each missing part skips with its name.
[ "$(id -u)" -eq 0 ] || skip "needs root (smbd and a second host name)"
for tool in smbd smbnetfs fusermount unshare setsid timeout hostname mountpoint python3; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
[ -c /dev/fuse ] && [ -r /dev/fuse ] || skip "no FUSE device (/dev/fuse)"
unshare --uts sh -c 'hostname tev-probe' >/dev/null 2>&1 || skip "unshare --uts is refused here"

state=$(mktemp -d "${TMPDIR:-/tmp}/tev-smb.XXXXXX")
smbd_pid=
cleanup() {
  local status=$?
  trap - EXIT INT TERM HUP
  unmount_pc 1 "$state"
  unmount_pc 2 "$state"
  if [ -n "$smbd_pid" ]; then
    kill "$smbd_pid" 2>/dev/null
    for _ in $(seq 1 25); do kill -0 "$smbd_pid" 2>/dev/null || break; sleep 0.2; done
    kill -9 "$smbd_pid" 2>/dev/null
    # The children it started for each connection are in its own process group.
    kill -- -"$smbd_pid" 2>/dev/null
  fi
  # Only when nothing is mounted below it any more: never remove through a live mount.
  if ! mountpoint -q "$state/pc1/mnt" 2>/dev/null && ! mountpoint -q "$state/pc2/mnt" 2>/dev/null; then
    rm -rf "$state"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

mkdir -p "$state/server"/{private,lock,state,cache,pid,log,ncalrpc} "$state/share" "$state/pc1" "$state/pc2"
chmod 0777 "$state/share"

# A free port on the loopback: smbnetfs reaches a server on another port than 445 through a path
# element "HOST:PORT".
# Taken below the kernel's ephemeral range, which other tests' connections draw from.
port=$(python3 -c '
import random, socket
while True:
    p = random.randrange(20000, 32000)
    s = socket.socket()
    try:
        s.bind(("127.0.0.1", p))
    except OSError:
        continue
    print(p)
    break') \
  || skip "no free port on 127.0.0.1"

cat >"$state/server/smb.conf" <<EOF
[global]
  server role = standalone server
  workgroup = TEVTEST
  netbios name = TEVSHARE
  interfaces = 127.0.0.1
  bind interfaces only = yes
  smb ports = $port
  disable netbios = yes
  server min protocol = SMB2_02
  private dir = $state/server/private
  lock directory = $state/server/lock
  state directory = $state/server/state
  cache directory = $state/server/cache
  pid directory = $state/server/pid
  ncalrpc dir = $state/server/ncalrpc
  log file = $state/server/log/smbd.log
  max log size = 0
  passdb backend = tdbsam:$state/server/private/passdb.tdb
  map to guest = Bad User
  guest account = $(id -un)
  load printers = no
  printing = bsd
  printcap name = /dev/null
  disable spoolss = yes
  server services = smb
  dcerpc endpoint servers = rpcecho

[$share_name]
  path = $state/share
  read only = no
  guest ok = yes
  guest only = yes
  create mask = 0664
  directory mask = 0775
EOF

# In a session of its own: smbd signals its whole process group when it stops, which would end
# this script and the command it runs.
setsid smbd -s "$state/server/smb.conf" --foreground --no-process-group --debug-stdout -d 1 \
  >"$state/server/log/stdout.log" 2>&1 &
smbd_pid=$!
echo "127.0.0.1:$port" >"$state/server/address"

up=
for _ in $(seq 1 100); do
  if ! kill -0 "$smbd_pid" 2>/dev/null; then
    break
  fi
  if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
    up=1
    break
  fi
  sleep 0.1
done
if [ -z "$up" ]; then
  tail -n 5 "$state/server/log/stdout.log" >&2
  skip "smbd did not start on 127.0.0.1:$port"
fi

# Each PC is its own smbnetfs with its own HOME: libsmbclient reads ~/.smb/smb.conf there.
for n in 1 2; do
  home=$state/pc$n/home
  mkdir -p "$home/.smb"
  cat >"$home/.smb/smb.conf" <<EOF
[global]
  workgroup = TEVTEST
  client min protocol = SMB2_02
  disable netbios = yes
  name resolve order = host
EOF
  # A short negative cache: one failed call must not mark the server unreachable for seconds,
  # failing every call of the mount with EIO meanwhile.
  cat >"$home/.smb/smbnetfs.conf" <<EOF
smb_query_browsers "false"
use_libsecret "false"
show_hidden_hosts "true"
stat_workaround_depth 0
smb_timeout 20000
neg_cache_timeout 200
auth "guest" ""
EOF
  # smbnetfs ignores an "auth" line in a file that others can read.
  chmod 600 "$home/.smb/smbnetfs.conf"
  mount_pc "$n" "$state" || {
    tail -n 5 "$state/pc$n/smbnetfs.log" >&2
    skip "the share did not come up through smbnetfs (PC$n)"
  }
done

export TEV_SMB_PC1=$state/pc1/mnt/127.0.0.1:$port/$share_name
export TEV_SMB_PC2=$state/pc2/mnt/127.0.0.1:$port/$share_name
export TEV_SMB_SERVER_DIR=$state/share
export TEV_SMB_PC=$here/smb_pc.sh
export TEV_SMB_SHARE=$here/smb_share.sh
export TEV_SMB_STATE=$state

timeout --kill-after=5 "${TEV_SMB_TIME_LIMIT:-100}" "$@"
