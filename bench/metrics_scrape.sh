#!/usr/bin/env bash
# A scrape of /metrics timed over plain HTTP and over TLS, and the headless program's memory
# with each: the simulator on a pseudo-terminal, the program serving its metrics on a free
# port of 127.0.0.1, and one curl asking N times (default 200) on a new connection each time
# with a full handshake (as Prometheus does when its scrape interval is longer than the
# server's 5 s idle close; it resumes no TLS session) and N times on one kept-alive
# connection (as at shorter intervals). Prints the median and
# 95th percentile of curl's time_total in milliseconds, and the program's resident memory
# (VmRSS) before the first scrape and after the last.
#   bench/metrics_scrape.sh [N]     (after a build: build/hygrometer-en, build/hygrometer-sim)
set -euo pipefail
count=${1:-200}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
for program in hygrometer-en hygrometer-sim; do
    [ -x "$build/$program" ] || { echo "build $program first" >&2; exit 1; }
done
tmp=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

# An authority and a server certificate it signed for 127.0.0.1, EC P-256 as a site's might be.
cd "$tmp"
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout ca.key \
    -out ca.crt -days 2 -subj /CN=bench-ca 2>/dev/null
openssl req -new -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout server.key \
    -out server.csr -subj /CN=localhost 2>/dev/null
printf 'subjectAltName=IP:127.0.0.1\n' >server.ext
openssl x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial -out server.crt \
    -days 2 -extfile server.ext 2>/dev/null
printf 'tls_server_config:\n  cert_file: server.crt\n  key_file: server.key\n' >tls.yml

rss() { awk '/VmRSS/ { print $2 }' "/proc/$1/status"; }
# Median and 95th percentile of the numbers (seconds) on standard input, in milliseconds.
stats() { sort -g | awk '{ v[NR] = $1 * 1000 } END {
    printf "median %.2f ms, p95 %.2f ms", v[int((NR + 1) / 2)], v[int(NR * 0.95 + 0.5)] }'; }

run() {  # run NAME SCHEME [web config]
    local name=$1 scheme=$2
    shift 2
    mkdir -p "$tmp/$name"
    # Its standard input held open (a FIFO opened for both): it ends when that closes.
    mkfifo "$tmp/$name/stdin"
    exec 3<>"$tmp/$name/stdin"
    "$build/hygrometer-sim" >"$tmp/$name/sim.out" <&3 &
    pids+=($!)
    local pty=""
    for _ in $(seq 100); do
        pty=$(head -n 1 "$tmp/$name/sim.out" 2>/dev/null || true)
        [ -n "$pty" ] && break
        sleep 0.05
    done
    "$build/hygrometer-en" --headless --no-csv --port "$pty" --metrics 0 "$@" \
        >"$tmp/$name/out" 2>"$tmp/$name/err" &
    local program=$!
    pids+=("$program")
    local url=""
    for _ in $(seq 200); do
        url=$(grep -o "$scheme://127.0.0.1:[0-9]*/metrics" "$tmp/$name/out" || true)
        [ -n "$url" ] && break
        sleep 0.05
    done
    [ -n "$url" ] || { cat "$tmp/$name/err" >&2; exit 1; }
    sleep 3  # the first samples in
    local before
    before=$(rss "$program")
    local curl=(curl --silent --show-error --cacert "$tmp/ca.crt" --write-out '%{time_total}\n')
    local urls=()
    for _ in $(seq "$count"); do urls+=(--output /dev/null "$url"); done
    local new kept
    new=$("${curl[@]}" --no-sessionid --header 'Connection: close' "${urls[@]}" | stats)
    kept=$("${curl[@]}" "${urls[@]}" | stats)
    printf '%-6s new connection each: %s; one kept-alive connection: %s; VmRSS %s kB -> %s kB\n' \
        "$name" "$new" "$kept" "$before" "$(rss "$program")"
    kill "$program"
    exec 3>&-
}

run plain http
run tls https --metrics-web-config "$tmp/tls.yml"
