#!/usr/bin/env bash
# Times `tickerine-cli save` of a typical ticker (twelve feeds, twenty My News entries with
# images) as a whole process and prints the median of several runs in milliseconds.
#   bench/cli_save.sh [build folder=build] [runs=15]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-15}
cli="$build/program/tickerine-cli"
[ -x "$cli" ] || { echo "no $cli: build the tickerine-cli target first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/out"
{
  printf '<?xml version="1.0"?>\r\n<rss version="2.0">\r\n<channel>\r\n'
  for i in $(seq 1 20); do
    printf '<item>\r\n<title>Headline %s</title>\r\n<author>Editor</author>\r\n' "$i"
    printf '<pubDate>%02d Dec 2026  3:05 pm</pubDate>\r\n' "$(( (i % 28) + 1 ))"
    printf '<description>Body of entry %s &lt;img src="photo%s.jpg"&gt;</description>\r\n</item>\r\n' "$i" "$i"
  done
  printf '</channel>\r\n</rss>\r\n'
} > "$work/in/news.txt"
for i in $(seq 1 20); do printf 'JPEG%s' "$i" > "$work/in/photo$i.jpg"; done
{
  printf '<?xml version="1.0" encoding="UTF-8"?>\r\n\r\n<velmoranews\r\n mainwidth="468"\r\n mainheight="60"\r\n'
  printf ' newsurl1="news.txt"\r\n'
  for i in $(seq 2 13); do printf ' newsurl%s="http://feeds%s.example/rss?a=1&amp;b=2"\r\n' "$i" "$i"; done
  printf '></velmoranews>'
} > "$work/in/news.xml"

# Wall-clock time of the whole process, and its processor time (user + system), which a
# busy machine does not inflate.
times=()
cpu=()
for _ in $(seq 1 "$runs"); do
  rm -rf "$work/out"/*
  start=$(date +%s%N)
  /usr/bin/time -f '%U %S' -o "$work/cpu" "$cli" save --open "$work/in/news.xml" "$work/out/ticker.xml" > /dev/null 2>&1
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
  cpu+=($(awk '{ printf "%d", ($1 + $2) * 1000 }' "$work/cpu"))
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "tickerine-cli save: median ${runs} runs: $(median "${times[@]}") ms wall, $(median "${cpu[@]}") ms processor"
