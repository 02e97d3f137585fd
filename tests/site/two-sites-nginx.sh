#!/usr/bin/env bash
# Two lumivo-site processes over one throw-away PostgreSQL server behind nginx, with the shipped
# configuration on free ports of 127.0.0.1 (a non-daemon nginx with its own prefix: the system's
# nginx and port 80 are left alone). Eight clients post records through the proxy, each from four
# loopback addresses in turn, within the per-address post limit; one site is killed with SIGKILL
# in the middle; every post the proxy acknowledged must be on the ranking.
# Exit status 77: nginx or PostgreSQL is not installed.
#   two-sites-nginx.sh LUMIVO_SITE NGINX_SITE_CONF
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 LUMIVO_SITE NGINX_SITE_CONF" >&2; exit 2; }
site_exe=$1
conf=$2
nginx_bin=$(command -v nginx || echo /usr/sbin/nginx)
[ -x "$nginx_bin" ] || { echo "two-sites-nginx: nginx is not installed" >&2; exit 77; }
if [ -z "${LUMIVO_TEST_PG:-}" ]; then
  exec bash "$(dirname "$0")/with-postgres.sh" bash "$0" "$@"
fi

clients=8
posts=40 # per client
dir=$(mktemp -d /tmp/lumivo-nginx.XXXXXX)
pids=()
cleanup() {
  # TERM, so that nginx's master takes its workers with it.
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [ "${failed:-1}" -ne 0 ]; then cat "$dir"/*.err "$dir/error.log" >&2 2>/dev/null || true; fi
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
chmod 755 "$dir" # nginx's workers read the packs as another user
mkdir "$dir/Data"
head -c 3000017 /dev/urandom >"$dir/Data/0007.lvd"

for name in a b; do
  "$site_exe" --data "$dir/Data" --db "$LUMIVO_TEST_PG" --listen 127.0.0.1:0 --trusted-proxy 127.0.0.1 \
    >"$dir/site-$name.out" 2>"$dir/site-$name.err" &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$dir/site-$name.out" ] && break; sleep 0.1; done
  [ -s "$dir/site-$name.out" ] || { echo "two-sites-nginx: site $name did not start" >&2; exit 1; }
done
site_a=${pids[0]}
port_a=$(head -1 "$dir/site-a.out" | cut -d: -f2)
port_b=$(head -1 "$dir/site-b.out" | cut -d: -f2)

port=$((20000 + RANDOM % 40000))
while (: </dev/tcp/127.0.0.1/$port) 2>/dev/null; do port=$((20000 + RANDOM % 40000)); done
sed -e "s/127\.0\.0\.1:8642/127.0.0.1:$port_a/; s/127\.0\.0\.1:8643/127.0.0.1:$port_b/" \
  -e "s/listen 80;/listen 127.0.0.1:$port;/; /listen \[::\]:80;/d" \
  -e "s|/usr/lib/lumivo/Data|$dir/Data|g" "$conf" >"$dir/site.conf"
cat >"$dir/nginx.conf" <<CONF
worker_processes 1;
pid $dir/nginx.pid;
error_log $dir/error.log;
events { worker_connections 256; }
http {
    access_log $dir/access.log;
    client_body_temp_path $dir/client_body;
    proxy_temp_path $dir/proxy;
    fastcgi_temp_path $dir/fastcgi;
    uwsgi_temp_path $dir/uwsgi;
    scgi_temp_path $dir/scgi;
    include $dir/site.conf;
}
CONF
"$nginx_bin" -p "$dir" -c "$dir/nginx.conf" -e "$dir/error.log" -g 'daemon off;' >"$dir/nginx.err" 2>&1 &
pids+=($!)
url="http://127.0.0.1:$port"
for _ in $(seq 100); do
  [ "$(curl -s -o /dev/null -w '%{http_code}' "$url/forum/index.php")" = 200 ] && break
  sleep 0.1
done

# The packs come from nginx, byte for byte, with a current manifest (not the stale one on disk);
# names the sites would refuse are refused.
curl -sf -o "$dir/pack" "$url/LumivoPro/Data/0007.lvd"
cmp "$dir/pack" "$dir/Data/0007.lvd"
echo "0000  0007.lvd" >"$dir/Data/index.sha256"
curl -sf -o "$dir/manifest" "$url/LumivoPro/Data/index.sha256"
(cd "$dir/Data" && sha256sum --check --quiet "$dir/manifest")
[ "$(curl -s -o /dev/null -w '%{http_code}' "$url/LumivoPro/Data/..%2Fsite-a.out")" = 404 ]

post() { # name, client address; the status
  curl -s -o /dev/null -w '%{http_code}' --max-time 10 --interface "$2" \
    --data "usr=$1&val=000001000002000003000004" "$url/LumivoPro/record.asp" || true
}
post_all() { # client number
  local n code
  for n in $(seq "$posts"); do
    code=$(post "C$1-$n" "127.0.0.$((6 + 4 * $1 + n % 4))")
    if [ "$code" = 200 ]; then echo "C$1-$n" >>"$dir/acked.$1"; fi
    if [ "$code" = 429 ]; then echo "two-sites-nginx: C$1-$n refused by the post limit" >&2; fi
  done
}
acked() { cat "$dir"/acked.* 2>/dev/null | wc -l; }
posters=()
for c in $(seq "$clients"); do
  post_all "$c" 2>>"$dir/limited" &
  posters+=($!)
done
for _ in $(seq 600); do
  [ "$(acked)" -ge $((clients * posts / 3)) ] && break
  sleep 0.05
done
kill -9 "$site_a"
wait "$site_a" 2>/dev/null || true
at_kill=$(acked)
wait "${posters[@]}"
if [ -s "$dir/limited" ]; then cat "$dir/limited" >&2; exit 1; fi
total=$(acked)
echo "two-sites-nginx: $total of $((clients * posts)) posts acknowledged, $at_kill before site a was killed"
[ "$total" -gt "$at_kill" ] || { echo "two-sites-nginx: no post acknowledged after the kill" >&2; exit 1; }

# Every page (those past the last are 404 pages without names), as the sites keep them ready.
curl -s "$url/LumivoPro/ranking?page=[1-10]" | grep -o '>C[0-9]*-[0-9]*<' | tr -d '<>' >"$dir/ranked"
missing=$(cat "$dir"/acked.* | grep -vxFf "$dir/ranked" || true)
[ -z "$missing" ] || { echo "two-sites-nginx: not on the ranking:" $missing >&2; exit 1; }
echo "two-sites-nginx: every acknowledged post is on the ranking"
# Twenty posts in a row from one address: all taken only if they took over a minute.
codes=""
for n in $(seq 20); do codes+=" $(post "Raffica-$n" 127.0.0.200)"; done
[[ "$codes" == *429* ]] || { echo "two-sites-nginx: twenty posts in a row from one address all taken" >&2; exit 1; }
failed=0
