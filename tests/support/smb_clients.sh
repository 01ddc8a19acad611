# Sourced by the share's test scripts (inside smb_share.sh, with `cli` set to tev-cli): a data
# folder on the share and, for each PC, a local client folder naming it through that PC's mount.
#   fail TEXT          counts a failed check
#   make_data_folder   creates "$TEV_SMB_PC1/data" and the two client folders
#   pc_cli N ARGS…     runs tev-cli as PC N

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# A settings file: 50 lines of one quoted value each, CR LF (ASCII values are cp932 as they are).
# Written in one go: smbnetfs cannot open a file for appending (EIO), so no ">>" on the share.
write_settings() { # FILE LINE=VALUE…
  local file=$1 i text=
  shift
  local -a values=()
  for pair in "$@"; do values[${pair%%=*}]=${pair#*=}; done
  for i in $(seq 1 50); do text+=$(printf '"%s"\r\n_' "${values[$i]:-}"); text=${text%_}; done
  printf '%s' "$text" >"$file"
}

make_data_folder() {
  local n client share_var data
  mkdir "$TEV_SMB_PC1/data" || fail "PC1 could not create the data folder"
  write_settings "$TEV_SMB_PC1/data/Ma在庫品基礎.dat" 9=2024/04
  for n in 1 2; do
    client=$TEV_SMB_STATE/client$n/
    mkdir -p "$client"
    share_var=TEV_SMB_PC$n
    data=${!share_var}/data/
    write_settings "$client/MbVORN在庫品基礎.dat" "1=$data" "2=$data" 3=0
  done
}

pc_cli() { # N ARGS…
  local n=$1
  shift
  "$TEV_SMB_PC" "tev-pc$n" env TEV_CLIENT_FOLDER="$TEV_SMB_STATE/client$n/" "$cli" "$@"
}

# The number of records tev-cli info reports on PC N.
records_on() { # N
  pc_cli "$1" info 2>&1 | sed -n 's/^records: //p'
}
