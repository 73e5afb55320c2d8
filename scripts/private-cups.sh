#!/usr/bin/env bash
# A CUPS scheduler of the project's own, for tests on a host with real printers:
#   scripts/private-cups.sh start [FOLDER]   start it with two queues; prints CUPS_SERVER=<socket>
#                                            and DLG_HOST_QUEUES=<the queues, sorted>
#   scripts/private-cups.sh state [FOLDER]   print its queues and its default (to compare)
#   scripts/private-cups.sh stop [FOLDER]    stop it (by the PID it recorded)
# FOLDER (default build/cups) holds everything it reads and writes: its configuration, its
# socket, spool, cache, state and logs. It listens on that socket only, so the host's own CUPS
# (its queues, its default, its port) is never touched. The queues are those of a common desktop
# host: "PDF" (cups-pdf, the default) and "Laser" (a PostScript printer that prints to
# /dev/null). Wine processes started with CUPS_SERVER=<socket> list exactly these.
# Needs cups-daemon and printer-driver-cups-pdf (scripts/setup.sh installs them).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
command=${1:-}
folder=${2:-$root/build/cups}
socket=$folder/cups.sock
pidfile=$folder/cupsd.pid

stop() {
  if [ -s "$pidfile" ]; then
    local pid
    pid=$(cat "$pidfile")
    if kill "$pid" 2>/dev/null; then
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    fi
    rm -f "$pidfile"
  fi
}

case $command in
  stop) stop; exit 0 ;;
  state) CUPS_SERVER=$socket lpstat -h "$socket" -d -p 2>&1 | sed 's/ since .*//'; exit 0 ;;
  start) ;;
  *) echo "usage: $0 start|state|stop [FOLDER]" >&2; exit 2 ;;
esac

for tool in /usr/sbin/cupsd /usr/sbin/lpadmin; do
  [ -x $tool ] || { echo "private-cups: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
stop  # one left from an earlier run
rm -rf "$folder"
mkdir -p "$folder"/{spool/tmp,cache,state,tmp,log,ssl,ppd}
# cupsd refuses to run its filters and backends as root; as another user it runs them as itself.
if [ "$(id -u)" -eq 0 ]; then user=lp group=lp; else user=$(id -un) group=$(id -gn); fi
chown -R "$user:$group" "$folder/spool" "$folder/cache" "$folder/tmp" 2>/dev/null || true
chmod 0755 "$folder"

cat >"$folder/cups-files.conf" <<EOF
ServerRoot $folder
RequestRoot $folder/spool
CacheDir $folder/cache
StateDir $folder/state
TempDir $folder/tmp
ServerKeychain $folder/ssl
CreateSelfSignedCerts no
AccessLog $folder/log/access_log
ErrorLog $folder/log/error_log
PageLog $folder/log/page_log
Printcap $folder/printcap
User $user
Group $group
SystemGroup $(id -gn)
FileDevice Yes
EOF
# Only the socket; no browsing, no web interface. Everyone who can reach the socket may
# administer it: it lies in a folder of the project's build.
cat >"$folder/cupsd.conf" <<EOF
Listen $socket
Browsing No
WebInterface No
LogLevel warn
DefaultAuthType None
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

/usr/sbin/cupsd -f -c "$folder/cupsd.conf" -s "$folder/cups-files.conf" \
  </dev/null >"$folder/log/cupsd.out" 2>&1 &
echo $! >"$pidfile"
for _ in $(seq 100); do
  [ -S "$socket" ] && break
  kill -0 "$(cat "$pidfile")" 2>/dev/null || break
  sleep 0.1
done
if ! [ -S "$socket" ]; then
  echo "private-cups: cupsd did not start (see $folder/log)" >&2
  cat "$folder/log/cupsd.out" "$folder/log/error_log" 2>/dev/null >&2
  stop
  exit 1
fi

export CUPS_SERVER=$socket
add() {
  if ! /usr/sbin/lpadmin -h "$socket" "$@" >>"$folder/log/lpadmin.log" 2>&1; then
    echo "private-cups: lpadmin $* failed:" >&2
    cat "$folder/log/lpadmin.log" >&2
    stop
    exit 1
  fi
}
add -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
add -p Laser -E -v file:/dev/null -m drv:///sample.drv/generic.ppd
add -d PDF
echo "CUPS_SERVER=$socket"
echo "DLG_HOST_QUEUES=Laser,PDF"
