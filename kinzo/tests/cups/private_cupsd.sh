#!/bin/sh
# A cupsd of the test's own: configuration, spool, logs and socket in one
# folder, and one PDF queue that writes each job to <folder>/out/job.pdf.
#   private_cupsd.sh start <folder> <queue>   exit 77 when cupsd cannot start here
#   private_cupsd.sh stop <folder>
# The queue is CUPS's generic PDF printer on the file device: the job goes
# through cupsd's own filters (pdftopdf) and keeps its text. cups-pdf goes
# through PostScript, which turns the Japanese text of the program's fonts into
# glyph numbers that no PDF reader can read back.
set -u
action=$1 dir=$2
sock=$dir/cups.sock
PATH=$PATH:/usr/sbin

skip() { echo "private cupsd cannot start: $*" >&2; exit 77; }

if [ "$action" = stop ]; then
    [ -f "$dir/cupsd.pid" ] && kill "$(cat "$dir/cupsd.pid")" 2>/dev/null
    exit 0
fi

queue=$3
ppd=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
for tool in cupsd lpadmin lpstat; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
[ -f "$ppd" ] || skip "cups-filters is not installed"

mkdir -p "$dir/etc/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/out"
chmod 0755 "$dir" "$dir/out"
cat >"$dir/etc/cupsd.conf" <<CONF
Listen $sock
Browsing No
WebInterface No
DefaultAuthType None
LogLevel info
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
FileDevice Yes
SystemGroup root $(id -gn)
CONF

cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
echo $! >"$dir/cupsd.pid"
tries=0
until [ "$(LC_ALL=C lpstat -h "$sock" -r 2>/dev/null)" = "scheduler is running" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; then
        cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null >&2
        skip "cupsd did not answer on $sock"
    fi
    sleep 0.1
done
lpadmin -h "$sock" -p "$queue" -E -v "file://$dir/out/job.pdf" -P "$ppd" 2>/dev/null || exit 1
echo "private cupsd: queue $queue on $sock writes $dir/out/job.pdf"
