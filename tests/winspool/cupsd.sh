#!/usr/bin/env bash
# A private CUPS server for the printing tests, never touching the host's own: its
# configuration, spool, logs and socket all live under DIR.
#   cupsd.sh start DIR   starts it with one queue "kvfile" (file device DIR/out/kvfile.pdf,
#                        papers Letter, A4 and Legal, A4 the default, two-sided), made the
#                        server's default; prints the socket path
#   cupsd.sh stop DIR    stops it
set -euo pipefail
cmd=$1
dir=$2
case $cmd in
start)
  mkdir -p "$dir"/{spool,tmp,cache,state,out,bin/daemon,bin/filter,bin/backend}
  cupsd_bin=$(command -v cupsd || echo /usr/sbin/cupsd)
  cp /usr/lib/cups/daemon/cups-exec "$dir/bin/daemon/"
  # The queue passes PDF through untouched: the file receives exactly the PDF the job sent.
  printf '#!/bin/sh\nif [ -n "$6" ]; then exec cat "$6"; else exec cat; fi\n' >"$dir/bin/filter/kvcopy"
  chmod 755 "$dir/bin/filter/kvcopy"
  cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel info
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
  cat >"$dir/cups-files.conf" <<CONF
FileDevice Yes
ServerRoot $dir
ServerBin $dir/bin
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/error_log
AccessLog $dir/access_log
PageLog $dir/page_log
Printcap $dir/printcap
User lp
Group lp
CONF
  cat >"$dir/kvfile.ppd" <<'PPD'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "KVFILE.PPD"
*Manufacturer: "korvane"
*Product: "(korvane file)"
*ModelName: "korvane file printer"
*ShortNickName: "korvane file printer"
*NickName: "korvane file printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "application/pdf 0 kvcopy"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize Legal/US Legal: "<</PageSize[612 1008]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion Legal/US Legal: "<</PageSize[612 1008]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea Letter/US Letter: "0 0 612 792"
*ImageableArea A4/A4: "0 0 595 842"
*ImageableArea Legal/US Legal: "0 0 612 1008"
*DefaultPaperDimension: A4
*PaperDimension Letter/US Letter: "612 792"
*PaperDimension A4/A4: "595 842"
*PaperDimension Legal/US Legal: "612 1008"
*OpenUI *Duplex/2-Sided Printing: PickOne
*DefaultDuplex: None
*Duplex None/Off: ""
*Duplex DuplexNoTumble/Long Edge: ""
*Duplex DuplexTumble/Short Edge: ""
*CloseUI: *Duplex
PPD
  # The server (user lp) writes the spool and the output; the filter must not be writable
  # by others, or cupsd refuses it.
  chmod -R a+rwX "$dir"
  chmod -R go-w "$dir/bin"
  "$cupsd_bin" -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/cupsd.out" 2>&1 &
  echo $! >"$dir/cupsd.pid"
  for _ in $(seq 50); do [ -S "$dir/cups.sock" ] && break; sleep 0.1; done
  [ -S "$dir/cups.sock" ] || { cat "$dir/cupsd.out" "$dir/error_log" >&2 || true; exit 1; }
  export CUPS_SERVER=$dir/cups.sock
  lpadmin -p kvfile -E -v "file://$dir/out/kvfile.pdf" -P "$dir/kvfile.ppd" -L "Test bench" -D "Private queue" 2>/dev/null
  lpadmin -d kvfile
  echo "$dir/cups.sock"
  ;;
stop)
  if [ -f "$dir/cupsd.pid" ]; then
    pid=$(cat "$dir/cupsd.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    rm -f "$dir/cupsd.pid"
  fi
  ;;
esac
