#!/usr/bin/env bash
# Builds Fernwick in release mode with the benchmark programs, runs every
# benchmark on this machine and prints one table of medians and ratios.
# Usage: bench/run.sh [BUILD_DIR]   (default: build/bench)
# RUNS sets how many times each download is repeated (default 5).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/bench}
runs=${RUNS:-5}
fixtures=$root/tests/support/fixtures

# What only the benchmarks need; the build and test needs stay in
# tools/packages.txt.
bench_packages=(rapidjson-dev nginx curl wget time)
missing=()
for package in "${bench_packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if ((${#missing[@]})); then
  sudo=""; [[ $(id -u) == 0 ]] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
"$root/tools/setup.sh"

[[ -f "$build/CMakeCache.txt" ]] ||
  # Release at -O2: GCC 12 at -O3 warns falsely (-Wrestrict) inside std::string.
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DFERNWICK_BENCH=ON >/dev/null
cmake --build "$build" --target fernwick_bench_json fernwick_bench_reply fernwick-cli >/dev/null
cli=$build/cli/fernwick-cli

work=$(mktemp -d /tmp/fernwick-bench.XXXXXX)
chmod 755 "$work"
results=$work/results
stop_nginx() {
  [[ -f $work/nginx.pid ]] && kill "$(cat "$work/nginx.pid")" 2>/dev/null || true
}
trap 'stop_nginx; rm -rf "$work"' EXIT

echo "discovery and parsing ..." >&2
"$build/bench/fernwick_bench_json" >>"$results"

# A local HTTPS server with keep-alive: the two API paths answer with fixed
# replies, every address under /bfs/ with one 100 KiB picture and every
# address under /big/ with one 200 MiB picture.
port=$((20000 + RANDOM % 20000))
while ss -ltn | grep -q ":$port "; do port=$((port + 1)); done
mkdir -p "$work/www" "$work/temp"
head -c 102400 /dev/urandom >"$work/www/picture.jpg"
head -c 209715200 /dev/urandom >"$work/www/big.jpg"
printf '{"code":0,"data":{"face":"","name":"bench"}}' >"$work/www/info.json"
chmod -R a+rX "$work/www"
cat >"$work/nginx.conf" <<CONF
worker_processes 1;
pid $work/nginx.pid;
error_log $work/error.log;
events { worker_connections 256; }
http {
  access_log off;
  client_body_temp_path $work/temp; proxy_temp_path $work/temp; fastcgi_temp_path $work/temp;
  uwsgi_temp_path $work/temp; scgi_temp_path $work/temp;
  keepalive_timeout 60s;
  keepalive_requests 100000;
  default_type application/octet-stream;
  server {
    listen 127.0.0.1:$port ssl;
    ssl_certificate $fixtures/test-server.pem;
    ssl_certificate_key $fixtures/test-server.key;
    root $work/www;
    location = /x/space/acc/info { default_type application/json; try_files /info.json =404; }
    location = /link_draw/v1/doc/doc_list { default_type application/json; try_files /album.json =404; }
    location /bfs/ { try_files /picture.jpg =404; }
    location /big/ { try_files /big.jpg =404; }
  }
}
CONF
nginx -p "$work" -c "$work/nginx.conf" -e "$work/error.log"
for _ in $(seq 50); do ss -ltn | grep -q "127.0.0.1:$port " && break; sleep 0.1; done

base=https://127.0.0.1:$port
service=(--connect-to "api.bilibili.com:443:127.0.0.1:$port" --connect-to "api.vc.bilibili.com:443:127.0.0.1:$port"
         --cacert "$fixtures/test-ca.pem")
"$build/bench/fernwick_bench_reply" 250 1000 "$base/bfs/album/" >"$work/www/album.json"
for i in $(seq 0 999); do echo "$base/bfs/album/$i.jpg"; done >"$work/urls.txt"
awk -v out="$work/out" '{ printf "url = \"%s\"\noutput = \"%s/%d.jpg\"\n", $0, out, NR }' "$work/urls.txt" >"$work/curl.cfg"

seconds_now() { date +%s.%N; }
# time_runs KEY COUNT COMMAND...: the median wall time of COUNT runs into a
# fresh folder; every run must leave 1,000 whole pictures there.
time_runs() {
  local key=$1 count=$2 times=()
  shift 2
  for _ in $(seq "$count"); do
    rm -rf "$work/out"; mkdir "$work/out"
    local start end
    start=$(seconds_now)
    "$@" >/dev/null 2>&1
    end=$(seconds_now)
    local whole
    whole=$(find "$work/out" -type f -size 102400c | wc -l)
    if [[ $whole != 1000 ]]; then echo "$key: $whole of 1000 pictures arrived" >&2; exit 1; fi
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk -v key="$key" -v n="$count" \
    '{ t[NR] = $1 } END { printf "%s %.6f %d\n", key, t[int((NR + 1) / 2)], n }' >>"$results"
}

echo "downloads ..." >&2
time_runs download_fernwick "$runs" "$cli" download --out "$work/out" "${service[@]}" 12345
# A run without reuse takes long; three give a median.
time_runs download_fernwick_no_reuse "$((runs < 3 ? runs : 3))" "$cli" download --out "$work/out" "${service[@]}" --no-connection-reuse 12345
time_runs download_curl "$runs" curl -s --cacert "$fixtures/test-ca.pem" -K "$work/curl.cfg"
time_runs download_wget "$runs" wget -q -i "$work/urls.txt" -P "$work/out" --ca-certificate="$fixtures/test-ca.pem"

echo "peak memory ..." >&2
"$build/bench/fernwick_bench_reply" 1 1 "$base/big/" >"$work/www/album.json"
rm -rf "$work/out"; mkdir "$work/out"
/usr/bin/time -v "$cli" download --out "$work/out" "${service[@]}" 12345 >/dev/null 2>"$work/time.log"
[[ $(stat -c %s "$work/out/1.jpg") == 209715200 ]] || { echo "the 200 MiB picture did not arrive whole" >&2; exit 1; }
awk '/Maximum resident set size/ { printf "peak_rss_kib %d 1\n", $NF }' "$work/time.log" >>"$results"

awk '
  { value[$1] = $2; runs[$1] = $3 }
  function row(what, shown, n, note) { printf "| %s | %s | %s | %s |\n", what, shown, n, note }
  function s(key) { return sprintf("%.3f s", value[key]) }
  function ratio(a, b) { return value[a] / value[b] }
  function verdict(ok) { return ok ? "met" : "missed" }
  END {
    mb = value["reply_bytes"] / 1e6
    print "| benchmark | median | runs | ratio and goal |"
    print "|---|---|---|---|"
    row("(a) discovery on 9,999 posts / 30,000 pictures, index", s("discovery_index"), runs["discovery_index"],
        "goal < 0.3 s: " verdict(value["discovery_index"] < 0.3))
    row("(a) the same with the scan", s("discovery_scan"), runs["discovery_scan"] (runs["discovery_scan"] == 1 ? " (over 3 s, not repeated)" : ""),
        sprintf("scan / index = %.0fx, goal >= 100x: %s", ratio("discovery_scan", "discovery_index"),
                verdict(ratio("discovery_scan", "discovery_index") >= 100)))
    row(sprintf("(b) parseText of the %.1f MB reply", mb), sprintf("%.1f ms, %.0f MB/s", value["parse_fernwick"] * 1e3, mb / value["parse_fernwick"]),
        runs["parse_fernwick"], "")
    row("(b) RapidJSON DOM parse of the same bytes", sprintf("%.1f ms, %.0f MB/s", value["parse_rapidjson"] * 1e3, mb / value["parse_rapidjson"]),
        runs["parse_rapidjson"], sprintf("Fernwick / RapidJSON time = %.1fx, goal <= 3x: %s", ratio("parse_fernwick", "parse_rapidjson"),
                                         verdict(ratio("parse_fernwick", "parse_rapidjson") <= 3)))
    row("(c) fernwick-cli download, 1,000 x 100 KiB over HTTPS", s("download_fernwick"), runs["download_fernwick"],
        sprintf("Fernwick / curl = %.2fx, goal <= 1.2x: %s", ratio("download_fernwick", "download_curl"),
                verdict(ratio("download_fernwick", "download_curl") <= 1.2)))
    row("(c) the same without connection reuse", s("download_fernwick_no_reuse"), runs["download_fernwick_no_reuse"],
        sprintf("without / with reuse = %.1fx, goal >= 3x: %s", ratio("download_fernwick_no_reuse", "download_fernwick"),
                verdict(ratio("download_fernwick_no_reuse", "download_fernwick") >= 3)))
    row("(c) curl, the 1,000 addresses in one process", s("download_curl"), runs["download_curl"], "")
    row("(c) wget -i, the same list", s("download_wget"), runs["download_wget"],
        sprintf("wget / curl = %.2fx", ratio("download_wget", "download_curl")))
    rss = value["peak_rss_kib"] / 1024
    row("(d) peak resident memory, one 200 MiB picture", sprintf("%.0f MiB", rss), runs["peak_rss_kib"],
        sprintf("%.2fx the picture, goal < 2.5x: %s", rss / 200, verdict(rss / 200 < 2.5)))
  }' "$results"
