#!/usr/bin/env bash
# telmo-cli as a whole process on one big file of Chinese and ASCII data lines, against the
# standard tools doing comparable work: the median of several runs, the ratio of the medians, and
# the peak memory of each.
#   bench/whole-process.sh BUILD_DIR [MEGABYTES] [RUNS]
set -euo pipefail
build_dir=${1:-build}
megabytes=${2:-100}
runs=${3:-3}
cli="$build_dir/telmo-cli"
[ -x "$cli" ] || { echo "no $cli" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data="$work/data.txt"

# Data lines as a form filler's items look: names, addresses, phone numbers, words, amounts.
perl -CO -Mutf8 -e '
  srand(15);
  my @names = ("张三", "李四", "王五", "刘丽", "陈晓明", "歐陽修", "頭髮", "乾淨", "趙錢孫");
  my @places = ("北京市朝阳区", "上海市浦东新区", "臺北市", "廣州市天河區", "深圳市");
  my @words = qw(hello world Form filler data line item alpha beta);
  my $target = $ARGV[0] * 1024 * 1024;
  my ($size, $out) = (0, "");
  while ($size < $target) {
    my $line = sprintf("%s  %s 1%010d %s   %s, %s. &amp; %d.%02d\r\n", $names[rand @names],
      $places[rand @places], int(rand(1e10)), $words[rand @words], $words[rand @words],
      $words[rand @words], int(rand(100000)), int(rand(100)));
    utf8::encode(my $bytes = $line);
    $size += length $bytes;
    print $line;
  }' "$megabytes" >"$data"
bytes=$(stat -c %s "$data")

# "WALL_SECONDS PEAK_KILOBYTES CPU_SECONDS" of each run of the command (input from the data file,
# output discarded). On a shared machine the processor time is the steadier figure.
measure() {
  local i seconds TIMEFORMAT=%3R
  for ((i = 0; i < runs; i++)); do
    seconds=$({ time /usr/bin/time -f "%M %U %S" -o "$work/kb" "$@" <"$data" >/dev/null 2>"$work/err"; } 2>&1) || {
      echo "failed: $* ($(head -c 200 "$work/err"))" >&2
      return 1
    }
    awk -v s="$seconds" '{ print s, $1, $2 + $3 }' "$work/kb"
  done
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '%s MB file, median of %s runs; peak memory is the largest resident size\n' "$((bytes / 1048576))" "$runs"
printf '%-34s %7s %7s %8s  %-26s %7s %7s %7s %7s\n' "telmo-cli" "wall s" "cpu s" "peak MB" "against" \
  "wall s" "cpu s" "wall x" "cpu x"
# compare LABEL "TELMO ARGS" [OTHER COMMAND...]
compare() {
  local label=$1 args=$2
  shift 2
  local runs_a wall cpu peak
  # shellcheck disable=SC2086
  runs_a=$(measure "$cli" $args) || return 0
  wall=$(awk '{ print $1 }' <<<"$runs_a" | median)
  peak=$(awk '{ print $2 / 1024 }' <<<"$runs_a" | median)
  cpu=$(awk '{ print $3 }' <<<"$runs_a" | median)
  if [ $# -gt 0 ] && command -v "$1" >/dev/null; then
    local runs_b owall ocpu
    runs_b=$(measure "$@") || return 0
    owall=$(awk '{ print $1 }' <<<"$runs_b" | median)
    ocpu=$(awk '{ print $3 }' <<<"$runs_b" | median)
    printf '%-34s %7s %7s %8.1f  %-26s %7s %7s %7.2f %7.2f\n' "$label" "$wall" "$cpu" "$peak" "$*" "$owall" \
      "$ocpu" "$(awk -v a="$wall" -v b="$owall" 'BEGIN { print (b > 0 ? a / b : 0) }')" \
      "$(awk -v a="$cpu" -v b="$ocpu" 'BEGIN { print (b > 0 ? a / b : 0) }')"
  else
    printf '%-34s %7s %7s %8.1f  %-26s\n' "$label" "$wall" "$cpu" "$peak" "${1:+($1 missing)}"
  fi
}
compare "text 0 RemoveBlankLines" "text 0" tr -s '\n'
compare "text 1 CollapseSpaces" "text 1" tr -s ' '
compare "text 2 JoinAllLines" "text 2" tr -d '\r\n'
compare "text 3 RemoveAllSpaces" "text 3" tr -d ' '
compare "text 9 ToUpperCase" "text 9" tr a-z A-Z
compare "text 10 ToLowerCase" "text 10" tr A-Z a-z
compare "text 11 CapitalizeWords" "text 11" tr a-z A-Z
compare "text 12 CapitalizeSentences" "text 12" tr a-z A-Z
compare "text 7 TraditionalToSimplified" "text 7" opencc -c t2s
compare "text 8 SimplifiedToTraditional" "text 8" opencc -c s2t
compare "replace --regex \\d{11} X" "replace --regex \\d{11} X" perl -pe 's/\d{11}/X/g'
compare "replace --regex \\d{11} X" "replace --regex \\d{11} X" sed -E 's/[0-9]{11}/X/g'
compare "replace ', ' '，'" "replace , ，" sed 's/, /，/g'
for op in 4 5 6 13 15 16 17 18; do compare "text $op" "text $op"; done
printf 'the file has %s bytes; x: telmo-cli against the other command\n' "$bytes"
: >"$work/empty"
data="$work/empty"
runs=$((runs * 5))
compare "text 0 on an empty input" "text 0" cat
