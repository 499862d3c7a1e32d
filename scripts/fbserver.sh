#!/usr/bin/env bash
# A private Firebird server for the multi-user tests, in a folder of its own.
#   fbserver.sh start DIR PORT   configure DIR, start the server on 127.0.0.1:PORT, write DIR/server.pid
#   fbserver.sh stop DIR         stop the server started in DIR (TERM to its pid, wait, KILL after 5 s)
# The SYSDBA password is the program's fixed database password, so the program and the tests
# connect without any environment. Databases may be created in DIR/data.
set -euo pipefail

PASSWORD=plumhaven
SERVER_BIN=/usr/sbin/firebird
SYSTEM_SECDB=/var/lib/firebird/3.0/system/security3.fdb
SECURITY_SQL=/usr/share/firebird/3.0/security.sql

die() { echo "fbserver: $*" >&2; exit 1; }

usage() {
  echo "usage: $0 start DIR PORT | stop DIR" >&2
  exit 2
}

# The pid in DIR/server.pid when that process is still our Firebird server.
running_pid() {
  local dir=$1 pid
  [[ -f "$dir/server.pid" ]] || return 1
  pid=$(<"$dir/server.pid")
  [[ "$pid" =~ ^[0-9]+$ ]] || return 1
  [[ -r /proc/$pid/cmdline ]] || return 1
  tr '\0' ' ' <"/proc/$pid/cmdline" | grep -qF -- "$SERVER_BIN -e $dir " || return 1
  echo "$pid"
}

# True while the process exists and has not ended (an ended child of init may linger as a zombie).
alive() {
  local state
  state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
  [[ -n "$state" && "$state" != Z && "$state" != X ]]
}

port_answers() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

start() {
  local dir=$1 port=$2
  [[ "$port" =~ ^[0-9]+$ ]] || die "bad port: $port"
  [[ -x $SERVER_BIN ]] || die "$SERVER_BIN is missing (package firebird3.0-server)"
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd -P)
  if pid=$(running_pid "$dir"); then
    die "a server is already running from $dir (pid $pid)"
  fi
  if port_answers "$port"; then
    die "port $port is already in use"
  fi

  mkdir -p "$dir/lock" "$dir/data"
  rm -f "$dir/security3.fdb"
  if [[ -r $SYSTEM_SECDB ]]; then
    cp "$SYSTEM_SECDB" "$dir/security3.fdb"
  else
    # Not readable for this user: build an empty security database from the packaged script.
    [[ -r $SECURITY_SQL ]] || die "neither $SYSTEM_SECDB nor $SECURITY_SQL is readable"
    echo "CREATE DATABASE '$dir/security3.fdb';" |
      FIREBIRD_LOCK="$dir/lock" isql-fb -q -b >"$dir/setup.log" 2>&1 &&
      FIREBIRD_LOCK="$dir/lock" isql-fb -q -b -i "$SECURITY_SQL" "$dir/security3.fdb" >>"$dir/setup.log" 2>&1 ||
      { cat "$dir/setup.log" >&2; die "could not create $dir/security3.fdb"; }
  fi
  chmod 0660 "$dir/security3.fdb"
  cat >"$dir/firebird.conf" <<CONF
RemoteServicePort = $port
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $dir/security3.fdb
CONF

  # Set the SYSDBA password in the private security database (embedded access, no server yet).
  printf "CREATE OR ALTER USER SYSDBA PASSWORD '%s' USING PLUGIN Srp;\nCOMMIT;\n" "$PASSWORD" |
    FIREBIRD="$dir" FIREBIRD_LOCK="$dir/lock" ISC_USER=SYSDBA isql-fb -q -b "$dir/security3.fdb" \
      >"$dir/setup.log" 2>&1 || { cat "$dir/setup.log" >&2; die "could not set the SYSDBA password"; }

  FIREBIRD="$dir" FIREBIRD_LOCK="$dir/lock" "$SERVER_BIN" -e "$dir" -el "$dir/lock" \
    </dev/null >"$dir/server.log" 2>&1 &
  local pid=$!
  echo "$pid" >"$dir/server.pid"

  local i
  for ((i = 0; i < 100; i++)); do
    if port_answers "$port"; then
      echo "fbserver: listening on 127.0.0.1/$port (pid $pid, folder $dir)" >&2
      return 0
    fi
    alive "$pid" || break
    sleep 0.1
  done
  cat "$dir/server.log" >&2 || true
  kill -TERM "$pid" 2>/dev/null || true
  rm -f "$dir/server.pid"
  die "the server did not start on port $port"
}

stop() {
  local dir=$1 pid i
  [[ -d "$dir" ]] || die "no folder $dir"
  dir=$(cd "$dir" && pwd -P)
  if ! pid=$(running_pid "$dir"); then
    rm -f "$dir/server.pid"
    return 0
  fi
  kill -TERM "$pid" 2>/dev/null || true
  for ((i = 0; i < 50; i++)); do
    alive "$pid" || break
    sleep 0.1
  done
  # Now and then the server does not finish its shutdown after TERM; nothing is attached by
  # now, so ending it hard loses nothing.
  if alive "$pid"; then
    echo "fbserver: pid $pid did not end within 5 s of TERM; sending KILL" >&2
    kill -KILL "$pid" 2>/dev/null || true
  fi
  rm -f "$dir/server.pid"
}

case "${1:-}" in
  start) [[ $# -eq 3 ]] || usage; start "$2" "$3" ;;
  stop) [[ $# -eq 2 ]] || usage; stop "$2" ;;
  *) usage ;;
esac
