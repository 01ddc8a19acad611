#!/usr/bin/env bash
# The two-PC share works as a share: what one PC writes the other reads, the two PCs are two
# hosts, and tev-cli on each PC reaches a data folder on the share from a client folder of its
# own. Run inside smb_share.sh: smb_share.sh smb_smoke_test.sh TEV_CLI
set -u
cli=${1:?usage: smb_smoke_test.sh TEV_CLI}
: "${TEV_SMB_PC1:?run inside smb_share.sh}"

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=smb_clients.sh
. "$here/smb_clients.sh"

# What PC1 writes, PC2 reads through its own mount, and the server has it on its disk.
printf 'from pc1\r\n' >"$TEV_SMB_PC1/hello.txt" || fail "PC1 could not write a file on the share"
[ "$(cat "$TEV_SMB_PC2/hello.txt" 2>&1)" = $'from pc1\r' ] || fail "PC2 did not read what PC1 wrote"
cmp -s "$TEV_SMB_PC1/hello.txt" "$TEV_SMB_SERVER_DIR/hello.txt" || fail "the server's copy differs"
rm -f "$TEV_SMB_PC2/hello.txt"
[ ! -e "$TEV_SMB_PC1/hello.txt" ] || fail "PC1 still sees the file that PC2 removed"

# Two hosts, and neither is this machine.
host1=$("$TEV_SMB_PC" tev-pc1 hostname)
host2=$("$TEV_SMB_PC" tev-pc2 hostname)
[ "$host1" = tev-pc1 ] && [ "$host2" = tev-pc2 ] || fail "host names: '$host1' and '$host2'"
[ "$(hostname)" != tev-pc1 ] || fail "the host name leaked out of PC1's namespace"

# The data folder lives on the share; each PC has a local client folder naming it through its
# own mount.
make_data_folder

for n in 1 2; do
  out=$(pc_cli "$n" info 2>&1)
  status=$?
  [ $status -eq 0 ] || fail "tev-cli info on PC$n ended with $status: $out"
  grep -qx "start-month: 2024/04" <<<"$out" || fail "tev-cli info on PC$n did not read the shared settings: $out"
  grep -qx "data-folder: ${TEV_SMB_STATE}/pc$n/mnt/.*/data/" <<<"$out" \
    || fail "tev-cli info on PC$n names another data folder: $out"
done

# check-share on the share: everything the program needs works; a rename over an open file and
# the removal of an open file are refused (SMB's sharing rules), which the program copes with.
out=$(pc_cli 2 check-share 2>&1) || fail "tev-cli check-share on PC2: $out"
echo "$out"
grep -q "^note rename over an open file: refused" <<<"$out" || fail "check-share did not find the rename over an open file refused: $out"
ls "$TEV_SMB_SERVER_DIR/data/" | grep -q '^tev-check-' && fail "check-share left its scratch folder"

# Items stored by one host are seen by the other; the change log is appended without O_APPEND,
# which the FUSE client fails (and then every later call on the mount), and no lock stays behind.
out=$(pc_cli 1 generate 300 2>&1) || fail "tev-cli generate 300 on PC1: $out"
grep -q "ディスクの準備ができていません\|変更履歴に書き込めません" <<<"$out" && fail "the change log was not written: $out"
[ -s "$TEV_SMB_SERVER_DIR/data/Ma在庫品履歴.log" ] || fail "no change log on the server"
ls "$TEV_SMB_SERVER_DIR/data/" | grep -q '\.lck$' && fail "a lock file stayed behind: $(ls "$TEV_SMB_SERVER_DIR/data/")"
out=$(pc_cli 2 info 2>&1)
grep -qx "records: 300" <<<"$out" || fail "PC2 does not see PC1's 300 items: $out"

# Both hosts store at the same time: each waits for the other's lock, nothing is lost.
pc_cli 1 generate 20 >"$TEV_SMB_STATE/gen1.out" 2>&1 &
first=$!
pc_cli 2 generate 20 >"$TEV_SMB_STATE/gen2.out" 2>&1 || fail "generate on PC2: $(cat "$TEV_SMB_STATE/gen2.out")"
wait $first || fail "generate on PC1: $(cat "$TEV_SMB_STATE/gen1.out")"
out=$(pc_cli 1 info 2>&1)
grep -qx "records: 340" <<<"$out" \
  || fail "the two hosts' items are not all there: $out; PC1: $(cat "$TEV_SMB_STATE/gen1.out"); PC2: $(cat "$TEV_SMB_STATE/gen2.out")"

# A lock left by a host that died (nobody keeps it fresh) is taken over after the stale time, and
# the user is told: here a lock file as the earlier version of the program made it.
printf '4242
tev-cli
tev-pc2
deadbeef
' >"$TEV_SMB_PC2/data/Ma在庫品.lck"
started=$(date +%s)
out=$(pc_cli 1 generate 1 2>&1) || fail "PC1 could not take over the dead host's lock: $out"
took=$(($(date +%s) - started))
echo "a dead host's lock kept PC1 waiting ${took} s"
grep -q "台帳のロックを引き継ぎました" <<<"$out" && grep -q "tev-pc2 (4242)" <<<"$out" \
  || fail "the takeover was not told: $out"
[ ! -e "$TEV_SMB_SERVER_DIR/data/Ma在庫品.lck" ] || fail "the lock stayed behind after the takeover"

# A whole-ledger commit renames the new ledger over the old one, which SMB refuses while another
# client has the old one open: the commit waits for the reader, and one that keeps it open past the
# wait is told so, with the ledger as it was and no temporary file left.
ledger_rel=data/Ma在庫品.dat
hold_open() { # N SECONDS: PC N keeps the ledger open for SECONDS
  "$TEV_SMB_PC" "tev-pc$1" python3 -c 'import sys, time
f = open(sys.argv[1], "rb"); print("open", flush=True); time.sleep(float(sys.argv[2]))' \
    "$(eval echo "\$TEV_SMB_PC$1")/$ledger_rel" "$2"
}
before=$(md5sum <"$TEV_SMB_SERVER_DIR/$ledger_rel")
coproc HOLDER { hold_open 2 3; }
holder=$HOLDER_PID
read -r _ <&"${HOLDER[0]}"
started=$(date +%s)
out=$(pc_cli 1 sort 2>&1) || fail "sort on PC1 while PC2 read the ledger for 3 s: $out"
echo "a reader on PC2 kept PC1's sort waiting $(($(date +%s) - started)) s"
wait "$holder" 2>/dev/null
after=$(md5sum <"$TEV_SMB_SERVER_DIR/$ledger_rel")
[ "$before" != "$after" ] || fail "the sort did not replace the ledger"
out=$(pc_cli 2 info 2>&1)
grep -qx "records: 341" <<<"$out" || fail "items were lost by the sort: $out"

pc_cli 1 generate 1 >/dev/null 2>&1 || fail "generate before the long reader"
before=$(md5sum <"$TEV_SMB_SERVER_DIR/$ledger_rel")
coproc HOLDER { hold_open 2 14; }
holder=$HOLDER_PID
read -r _ <&"${HOLDER[0]}"
out=$(pc_cli 1 sort 2>&1) && fail "sort on PC1 reported success while PC2 kept the ledger open: $out"
grep -q "使用中" <<<"$out" || fail "the refused sort does not say the ledger is in use: $out"
wait "$holder" 2>/dev/null
[ "$(md5sum <"$TEV_SMB_SERVER_DIR/$ledger_rel")" = "$before" ] || fail "the refused sort changed the ledger"
ls -a "$TEV_SMB_SERVER_DIR/data/" | grep -q '^Ma在庫品\.dat\.' && fail "a temporary file stayed: $(ls -a "$TEV_SMB_SERVER_DIR/data/")"
ls "$TEV_SMB_SERVER_DIR/data/" | grep -q '\.lck$' && fail "a lock file stayed behind the refused sort"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "the share works for both PCs"
