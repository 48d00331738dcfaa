#!/usr/bin/env bash
# Whole-process figures of dosber-cli on a firm of real size, against reading
# the same files once with cat: median of 5 runs after a warm-up run, page
# cache warm. Writes the firms with dosber-makefirm when they are missing.
#
#   bench/cli.sh BUILD_FOLDER [OLD_CLI]
#
# With OLD_CLI (a dosber-cli of an earlier version, with its fonts folder
# beside it) every figure is measured for both in the same run. The cards of
# the old program are timed for 60 seconds and counted.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
old=${2:-}
cli=$build/bin/dosber-cli
firm=${DOSBER_BENCH_FIRM:-$build/bench-firm}
years=${DOSBER_BENCH_YEARS:-$build/bench-years}
runs=5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export DOSBER_ROOT=$work/root DOSBER_NO_VIEWER=1

makefirm() {  # folder [--all-years]
  [ -f "$1/.stamp" ] && return
  rm -rf "$1"
  "$build/bin/dosber-makefirm" "$@" >/dev/null
  touch "$1/.stamp"
}
makefirm "$firm"
makefirm "$years" --all-years

company=$firm/ber05/ceg
small=("$company/mber.par" "$company/kod.dat" "$company/mrend05.dat" "$company/jarkod.dat" "$company/levkod.dat"
       "$firm/ber05/ber05.par")
azon=$("$cli" employees --csv "$company" | sed -n 10000p | cut -d';' -f1)

# Median wall time in milliseconds of a command, its output discarded.
timed() {
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  local i start end
  for ((i = 0; i < runs; i++)); do
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1
    end=$EPOCHREALTIME
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f\n", (e - s) * 1000 }'
  done | sort -n | sed -n "$(((runs + 1) / 2))p"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

catfiles() { cat "$@" >/dev/null; }

declare -A base
base[employees]=$(timed catfiles "$company/dt.dat" "${small[@]}")
base[company]=$(timed catfiles "$company"/* "$firm/ber05/ber05.par")
mapfile -t dtfiles < <(find "$years" -name dt.dat | sort)
mapfile -t yearfiles < <(find "$years" -type f ! -name .stamp | sort)
base[find]=$(timed catfiles "${dtfiles[@]}")
base[person]=$(timed catfiles "${yearfiles[@]}")

names=(employees json csv carddata card find personcards)
declare -A cmd basis
cmd[employees]="employees $company";                        basis[employees]=employees
cmd[json]="employees $company --json";                      basis[json]=employees
cmd[csv]="employees $company --csv";                        basis[csv]=employees
cmd[carddata]="card-data $company --azon $azon --json";     basis[carddata]=company
cmd[card]="card $company --azon $azon --output $work/card.pdf"; basis[card]=company
cmd[find]="find $years --name kovács";                      basis[find]=find
cmd[personcards]="person-cards $years --azon $azon --output $work/person.pdf"; basis[personcards]=person

declare -A new was
for n in "${names[@]}"; do
  # shellcheck disable=SC2086
  new[$n]=$(timed "$cli" ${cmd[$n]})
  # shellcheck disable=SC2086
  [ -n "$old" ] && was[$n]=$(timed "$old" ${cmd[$n]})
done

# Bulk cards: the whole company with the new program; the old one for 60 s.
rm -rf "$work/cards"
start=$EPOCHREALTIME
/usr/bin/time -f "%M" -o "$work/cards.rss" "$cli" cards "$company" --output-dir "$work/cards" >/dev/null
end=$EPOCHREALTIME
cardcount=$(find "$work/cards" -name '*.pdf' | wc -l)
cardsms=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.0f", (e - s) * 1000 }')
if [ -n "$old" ]; then
  rm -rf "$work/oldcards"
  timeout 60 "$old" cards "$company" --output-dir "$work/oldcards" >/dev/null 2>&1 || true
  oldcount=$(find "$work/oldcards" -name '*.pdf' | wc -l)
fi

echo "firm: $company ($(du -sh "$company" | cut -f1)), fourteen years: $years ($(du -sh "$years" | cut -f1)), azon $azon"
echo "cat: dt.dat and small files ${base[employees]} ms, company folder ${base[company]} ms," \
     "dt.dat of 14 years ${base[find]} ms, 14 company folders ${base[person]} ms"
printf "%-40s %10s %10s %12s %12s\n" operation old new "old ratio" "new ratio"
for n in "${names[@]}"; do
  b=${base[${basis[$n]}]}
  o=${was[$n]:-}
  printf "%-40s %10s %10s %12s %12s\n" "${cmd[$n]%% *} (${n})" "${o:--}" "${new[$n]}" \
    "$([ -n "$o" ] && ratio "$o" "$b" || echo -)" "$(ratio "${new[$n]}" "$b")"
done
echo "json / csv: old $([ -n "$old" ] && ratio "${was[json]}" "${was[csv]}" || echo -)," \
     "new $(ratio "${new[json]}" "${new[csv]}")"
echo "cards: $cardcount cards in $cardsms ms ($(awk -v t="$cardsms" -v n="$cardcount" 'BEGIN { printf "%.2f", t / n }') ms a card)," \
     "peak memory $(( $(cat "$work/cards.rss") / 1024 )) MiB"
[ -n "$old" ] && echo "cards, old program: $oldcount cards in 60 s" \
  "($(awk -v n="$oldcount" 'BEGIN { printf "%.1f", 60000 / n }') ms a card)"
exit 0
