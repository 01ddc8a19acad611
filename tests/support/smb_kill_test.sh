#!/usr/bin/env bash
# A whole-ledger commit (a sort) killed at a random moment on one host while the other host keeps
# storing: the ledger stays whole, every item the other host was told was stored is there, and the
# killed process's lock is taken over at once by the next command of its own host. Run inside
# smb_share.sh: smb_share.sh smb_kill_test.sh TEV_CLI [ROUNDS] [SEED]
set -u
cli=${1:?usage: smb_kill_test.sh TEV_CLI [ROUNDS] [SEED]}
rounds=${2:-6}
RANDOM=${3:-$$}
: "${TEV_SMB_PC1:?run inside smb_share.sh}"
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=smb_clients.sh
. "$here/smb_clients.sh"

make_data_folder
out=$(pc_cli 1 generate 2000 2>&1) || fail "generate 2000 on PC1: $out"
expected=2000
started=$(date +%s%N)
out=$(pc_cli 1 sort 2>&1) || fail "a sort on PC1: $out"
sort_ms=$((($(date +%s%N) - started) / 1000000))
echo "seed ${3:-$$}; a sort of 2000 items takes ${sort_ms} ms on the share"

for round in $(seq 1 "$rounds"); do
  # PC2 stores batches of 3 for as long as the round lasts, one line per batch it was told of.
  (
    for i in 1 2 3 4 5 6; do
      if pc_cli 2 generate 3 >/dev/null 2>&1; then echo stored; else echo refused; fi
    done
  ) >"$TEV_SMB_STATE/pc2-round$round.out" &
  storer=$!
  delay=$((RANDOM % (sort_ms + 200)))
  (exec "$TEV_SMB_PC" tev-pc1 env TEV_CLIENT_FOLDER="$TEV_SMB_STATE/client1/" "$cli" sort >/dev/null 2>&1) &
  sorter=$!
  sleep "$(printf '0.%03d' "$((delay % 1000))")"
  sleep "$((delay / 1000))"
  kill -KILL "$sorter" 2>/dev/null && killed="killed after ${delay} ms" || killed="ended before the kill"
  wait "$sorter" 2>/dev/null
  # The next command on PC1 finds its host's process gone and takes the lock over at once.
  if out=$(pc_cli 1 generate 1 2>&1); then
    expected=$((expected + 1))
  else
    fail "round $round: PC1's next store after the kill: $out"
  fi
  wait "$storer"
  stored=$(grep -c '^stored$' "$TEV_SMB_STATE/pc2-round$round.out")
  expected=$((expected + 3 * stored))
  verify=$(pc_cli 2 verify 2>&1)
  [ "$verify" = ok ] || fail "round $round ($killed): tev-cli verify on PC2: $verify"
  have=$(records_on 2)
  echo "round $round: sort $killed; PC2 stored $stored batches; $have records (expected $expected)"
  [ "$have" = "$expected" ] || fail "round $round: $have records, expected $expected"
done
ls "$TEV_SMB_SERVER_DIR/data/" | grep -q '\.lck' && fail "a lock stayed behind: $(ls "$TEV_SMB_SERVER_DIR/data/")"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "killed commits on one host left the ledger whole for both"
