#!/usr/bin/env bash
# Prints a list and a sales invoice through a real CUPS print queue and checks what reached it
# (the PrinterQueue tests of kv_ui_tests): page count, paper size, Arabic text, copies.
#
#   scripts/printer-check.sh [--postscript] [--system] [--keep-logs]
#
# The queue "KVTest" writes each job to a file. It is a driver queue, so the job goes through the
# CUPS filter chain as on an office printer: the generic PDF printer of cups-filters (the file is
# a PDF), or with --postscript the generic PostScript printer of CUPS (the file is PostScript).
# (A raw queue cannot be used: CUPS 2.4 runs nothing for a raw job on a file: device.)
# With --keep-logs the documents as the program sent them are kept in <dir>/log/sent.
# A private scheduler is started in a folder of its own (socket only, no network, FileDevice on)
# and stopped again; --system uses the machine's running scheduler instead (its cups-files.conf
# must have "FileDevice Yes"). Missing packages are installed with apt-get. Safe to run again.
#
# Environment: KV_BUILD_DIR (default <repo>/build-printer), KV_PRINTER_DIR (the scheduler's folder
# and the job file, default /tmp/kv-printer-check; not under /dev, where CUPS takes a file: device
# for a device node and never creates it). The tests run with QT_QPA_PLATFORM=offscreen and
# TMPDIR=/dev/shm when that exists. KV_CUPS_LOGLEVEL=debug makes the private scheduler log more.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${KV_BUILD_DIR:-$ROOT/build-printer}
STATE=${KV_PRINTER_DIR:-/tmp/kv-printer-check}
QUEUE=KVTest
PPD=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd

SYSTEM=0 KEEP_LOGS=0 POSTSCRIPT=0
for a in "$@"; do
  case "$a" in
    --system) SYSTEM=1 ;;
    --postscript) POSTSCRIPT=1 ;;
    --keep-logs) KEEP_LOGS=1 ;;
    -h|--help) sed -n '2,20p' "$0"; exit 0 ;;
    *) echo "printer-check: unknown option $a" >&2; exit 2 ;;
  esac
done

say() { echo "printer-check: $*"; }
die() { echo "printer-check: $*" >&2; exit 1; }

case "$STATE" in /dev/*) die "KV_PRINTER_DIR must not be under /dev ($STATE)" ;; esac

# ---- packages ------------------------------------------------------------------------------
need=()
# cups: the scheduler, and the core filters (gziptoany, pstops) its queues call on.
{ command -v cupsd >/dev/null || [[ -x /usr/sbin/cupsd ]]; } && [[ -x /usr/lib/cups/filter/gziptoany ]] || need+=(cups)
command -v lpadmin >/dev/null && command -v lpstat >/dev/null || need+=(cups-client)
[[ -f "$PPD" && -x /usr/lib/cups/filter/pdftopdf ]] || need+=(cups-filters)
command -v pdfinfo >/dev/null && command -v pdftotext >/dev/null || need+=(poppler-utils)
command -v ps2pdf >/dev/null || need+=(ghostscript)
((POSTSCRIPT == 0)) || [[ -f /usr/share/cups/drv/sample.drv ]] || need+=(cups-ppdc)
if ((${#need[@]})); then
  [[ $(id -u) -eq 0 ]] || die "missing packages (${need[*]}); run as root to install them"
  say "installing ${need[*]}"
  apt-get update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}" >/dev/null
fi
CUPSD=$(command -v cupsd || echo /usr/sbin/cupsd)

# ---- the test program ------------------------------------------------------------------------
if [[ ! -f "$BUILD/build.ninja" ]]; then
  say "configuring $BUILD"
  cmake -S "$ROOT" -B "$BUILD" -G Ninja >/dev/null
fi
say "building kv_ui_tests in $BUILD"
ninja -C "$BUILD" -j2 kv_ui_tests >/dev/null || die "build failed: ninja -C $BUILD -j2 kv_ui_tests"
TESTS=$(find "$BUILD" -name kv_ui_tests -type f -perm -u+x | head -n1)
[[ -n "$TESTS" ]] || die "kv_ui_tests not found under $BUILD"

# ---- one run at a time ---------------------------------------------------------------------
mkdir -p "$STATE"
exec 9>"$STATE.lock"
flock -n 9 || die "another printer check is running ($STATE.lock)"

STARTED_PID=""
QUEUE_MADE=0

cleanup() {
  local rc=$?
  if ((QUEUE_MADE)); then
    # Removing the queue purges its jobs: keep the documents as they were sent first.
    if ((KEEP_LOGS)) && [[ $SYSTEM -eq 0 ]]; then
      mkdir -p "$STATE/log/sent"
      cp "$STATE"/spool/d* "$STATE/log/sent/" 2>/dev/null || true
    fi
    lpadmin -x "$QUEUE" 2>/dev/null || true
  fi
  if [[ -n "$STARTED_PID" ]]; then
    stop_pid "$STARTED_PID"
    rm -f "$STATE/cupsd.pid"
  fi
  if ((KEEP_LOGS == 0 && rc == 0)) && [[ $SYSTEM -eq 0 ]]; then
    rm -rf "$STATE/spool" "$STATE/tmp" "$STATE/cache"
  fi
  if ((rc != 0)); then
    ((SYSTEM)) && say "logs: /var/log/cups, test output: $STATE/log/test.out" || say "logs: $STATE/log"
  fi
  exit $rc
}
trap cleanup EXIT
trap 'exit 130' INT TERM

alive() {
  local state
  state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
  [[ -n "$state" && "$state" != Z && "$state" != X ]]
}

stop_pid() {
  local pid=$1 i
  kill -TERM "$pid" 2>/dev/null || return 0
  for ((i = 0; i < 50; i++)); do
    alive "$pid" || { wait "$pid" 2>/dev/null || true; return 0; }
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# The scheduler a previous run of this script started in $STATE and did not stop (killed hard).
leftover_pid() {
  local pid
  [[ -f "$STATE/cupsd.pid" ]] || return 1
  pid=$(<"$STATE/cupsd.pid")
  [[ "$pid" =~ ^[0-9]+$ ]] && alive "$pid" || return 1
  tr '\0' ' ' <"/proc/$pid/cmdline" | grep -qF -- "-c $STATE/conf/cupsd.conf" || return 1
  echo "$pid"
}

# ---- the scheduler -------------------------------------------------------------------------
if ((SYSTEM)); then
  unset CUPS_SERVER
  lpstat -r 2>/dev/null | grep -q "is running" || die "the system's CUPS scheduler is not running"
  say "using the system's scheduler"
else
  if pid=$(leftover_pid); then
    say "stopping the scheduler a previous run left (pid $pid)"
    stop_pid "$pid"
  fi
  rm -rf "$STATE/conf" "$STATE/spool" "$STATE/tmp" "$STATE/cache" "$STATE/run" "$STATE/log" "$STATE/out"
  mkdir -p "$STATE"/{conf/ppd,conf/ssl,spool,tmp,cache,run,log,out}
  SOCK=$STATE/cups.sock
  rm -f "$SOCK"
  cat >"$STATE/conf/cupsd.conf" <<EOF
Listen $SOCK
LogLevel ${KV_CUPS_LOGLEVEL:-warn}
MaxLogSize 0
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
JobRetryLimit 0
PreserveJobHistory Yes
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat >"$STATE/conf/cups-files.conf" <<EOF
FileDevice Yes
ServerRoot $STATE/conf
RequestRoot $STATE/spool
TempDir $STATE/tmp
CacheDir $STATE/cache
StateDir $STATE/run
ServerBin /usr/lib/cups
DataDir /usr/share/cups
ErrorLog $STATE/log/error_log
AccessLog $STATE/log/access_log
PageLog $STATE/log/page_log
SystemGroup root
User lp
Group lp
EOF
  # The filters run as lp: they need the spool and temp folders, and the job file's folder.
  chown root:lp "$STATE/spool" "$STATE/tmp" "$STATE/cache" "$STATE/out" 2>/dev/null || true
  chmod 0770 "$STATE/spool" "$STATE/cache" "$STATE/out"
  chmod 1770 "$STATE/tmp"
  chmod 0755 "$STATE"
  "$CUPSD" -f -c "$STATE/conf/cupsd.conf" -s "$STATE/conf/cups-files.conf" 9>&- </dev/null >>"$STATE/log/cupsd.out" 2>&1 &
  STARTED_PID=$!
  echo "$STARTED_PID" >"$STATE/cupsd.pid"
  export CUPS_SERVER=$SOCK
  for ((i = 0; i < 100; i++)); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    alive "$STARTED_PID" || die "cupsd did not start: $(tail -n 5 "$STATE/log/error_log" "$STATE/log/cupsd.out" 2>/dev/null)"
    sleep 0.1
  done
  lpstat -r 2>/dev/null | grep -q "is running" || die "cupsd does not answer on $SOCK"
  say "private scheduler pid $STARTED_PID on $SOCK"
fi

# ---- the queue -----------------------------------------------------------------------------
OUTDIR=$STATE/out
mkdir -p "$OUTDIR"
OUT=$OUTDIR/job.out
rm -f "$OUT"
lpadmin -x "$QUEUE" 2>/dev/null || true
if ((POSTSCRIPT)); then
  DRIVER=(-m drv:///sample.drv/generic.ppd) # cups-ppdc's sample drivers
  [[ -f /usr/share/cups/drv/sample.drv ]] || die "no /usr/share/cups/drv/sample.drv (package cups-ppdc)"
else
  DRIVER=(-P "$PPD")
fi
lpadmin -p "$QUEUE" -E -v "file://$OUT" "${DRIVER[@]}" 2>/dev/null ||
  die "cannot create the queue (FileDevice off?)"
say "queue $QUEUE (${DRIVER[*]}) -> $OUT"
QUEUE_MADE=1
lpadmin -p "$QUEUE" -o printer-error-policy=abort-job

# ---- the check -----------------------------------------------------------------------------
mkdir -p "$STATE/log"
TEST_TMP=/dev/shm
[[ -d $TEST_TMP && -w $TEST_TMP ]] || TEST_TMP=${TMPDIR:-/tmp}
set +e
QT_QPA_PLATFORM=offscreen TMPDIR=$TEST_TMP KV_TEST_PRINTER=$QUEUE KV_TEST_PRINTER_OUT=$OUT \
  "$TESTS" --gtest_filter='PrinterQueue.*' 2>&1 | tee "$STATE/log/test.out"
rc=${PIPESTATUS[0]}
set -e
if ((rc == 0)) && grep -q '^\[  SKIPPED \]' "$STATE/log/test.out"; then
  say "the printer tests were skipped"
  rc=1
fi
if ((rc == 0)) && ! grep -q '^\[  PASSED  \] [1-9]' "$STATE/log/test.out"; then
  say "no printer test ran"
  rc=1
fi
((rc == 0)) && say "passed" || say "FAILED"
exit $rc
