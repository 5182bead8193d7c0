#!/usr/bin/env bash
# Four stations on one DATA folder for about a minute, through nakva-cli: each adds registrations with
# their invoice lines, renames its own payer back and forth (which carries the code into every
# registration of that payer), and removes some of its registrations again (which takes their lines);
# meanwhile every station exports the registrations and checks that none is listed twice. At the end
# `nakva-cli check` must pass and the tables must hold exactly what the stations say they left.
#
#   scripts/soak.sh [BUILD_DIR] [SECONDS]        (make soak)
set -euo pipefail

build=${1:-build/debug}
seconds=${2:-60}
cli=$(realpath "$build/app/cli/nakva-cli")
work=$(mktemp -d /tmp/nakva-soak.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$cli" init > /dev/null
printf 'VAL:Valstybe\nLietuva\nLatvija\nLenkija\n' > countries.csv
"$cli" import Valstyb countries.csv > /dev/null
printf 'KLI:Kod,KLI:PAV\nS1,Pirma\nS2,Antra\nS3,Trečia\nS4,Ketvirta\n' > payers.csv
"$cli" import Klient payers.csv > /dev/null

# One station: its registrations are numbered from STATION × 1,000,000, so the stations never collide
# on a key, only on the files. Writes what it left behind to station-N.left: registrations, lines.
station() {
    local n=$1 next=$(($1 * 1000000)) added=0 removed=0 round=0 payer="S$1"
    local end=$((SECONDS + seconds))
    while ((SECONDS < end)); do
        round=$((round + 1))
        # Three registrations with two invoice lines each, in one import per table.
        {
            echo 'SAS:IrasoNr,SAS:Gyventojas,SAS:GYVENTOJOVALSTYBE,SAS:KliKod'
            for i in 1 2 3; do echo "$((next + i)),Svečias $n-$((next + i)),lietuva,$payer"; done
        } > "sas-$n.csv"
        {
            echo 'SEI:SEILID,SEI:IrasoNr'
            for i in 1 2 3; do
                echo "$(((next + i) * 2)),$((next + i))"
                echo "$(((next + i) * 2 + 1)),$((next + i))"
            done
        } > "sei-$n.csv"
        if "$cli" import Saskait "sas-$n.csv" > /dev/null 2>> "station-$n.log"; then
            local tries=0
            until "$cli" import Saskeil "sei-$n.csv" > /dev/null 2>> "station-$n.log"; do
                tries=$((tries + 1))
                ((tries < 20)) || { echo "station $n: invoice lines not added" >&2; exit 1; }
            done
            added=$((added + 3))
            next=$((next + 3))
        fi
        # The payer's code there and back: every registration of the payer follows.
        local renamed="${payer}X"
        [[ $payer == *X ]] && renamed=${payer%X}
        if "$cli" update Klient --filter "KLI:Kod = '$payer'" --field "KLI:Kod=$renamed" --yes \
            > /dev/null 2>> "station-$n.log"; then
            payer=$renamed
        fi
        # Every third round the oldest registration of this station goes, with its lines.
        if ((round % 3 == 0)); then
            local from=$(($1 * 1000000)) to=$(($1 * 1000000 + 999999))
            local out
            out=$("$cli" delete Saskait --filter "SAS:IrasoNr >= $from AND SAS:IrasoNr <= $to AND SAS:IrasoNr <= $((from + round))" \
                --yes 2>> "station-$n.log" || true)
            local gone
            gone=$(sed -n 's/^Pašalinta \([0-9]*\) iš.*/\1/p' <<< "$out")
            removed=$((removed + ${gone:-0}))
        fi
        # A read of one moment lists each registration once.
        "$cli" export Saskait --order "+SAS:KliKod,+SAS:IrasoNr" > "export-$n.csv" 2>> "station-$n.log" || continue
        if [[ -n $(tail -n +2 "export-$n.csv" | cut -d, -f1 | sort | uniq -d) ]]; then
            echo "station $n: a registration exported twice" >&2
            exit 1
        fi
    done
    echo "$((added - removed)) $(((added - removed) * 2)) $payer" > "station-$n.left"
}

pids=()
for n in 1 2 3 4; do
    station "$n" &
    pids+=($!)
done
failed=0
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
((failed == 0)) || { echo "soak: a station failed" >&2; exit 1; }

registrations=0
lines=0
for n in 1 2 3 4; do
    read -r r l payer < "station-$n.left"
    registrations=$((registrations + r))
    lines=$((lines + l))
    # Every registration of the station names the payer's present code.
    stale=$("$cli" export Saskait --filter "SAS:IrasoNr >= $((n * 1000000)) AND SAS:IrasoNr < $(((n + 1) * 1000000)) AND SAS:KliKod <> '$payer'" | tail -n +2 | wc -l)
    ((stale == 0)) || { echo "soak: station $n left $stale registrations with an old payer code" >&2; exit 1; }
done

"$cli" check > check.txt || { cat check.txt; echo "soak: check failed" >&2; exit 1; }
have_registrations=$("$cli" count Saskait)
have_lines=$("$cli" count Saskeil)
echo "soak: registrations $have_registrations (expected $registrations), lines $have_lines (expected $lines)"
[[ $have_registrations == "$registrations" && $have_lines == "$lines" ]] || { echo "soak: counts differ" >&2; exit 1; }
echo "soak: clean"
