# Four stations on one DATA folder through nakva-cli, for the soak runs (sourced by soak.sh and
# soak-backup.sh; they set $cli, $work and $seconds and run in $work). Each station adds registrations
# with their invoice lines, renames its own payer back and forth (which carries the code into every
# registration of that payer), changes the payer all stations share (a batch change of a record another
# station changes at the same time never fails), and removes some of its registrations again (which
# takes their lines); meanwhile every station exports the registrations and checks that none is
# listed twice.

# The reference data the stations use.
soak_setup() {
    "$cli" init > /dev/null
    printf 'VAL:Valstybe\nLietuva\nLatvija\nLenkija\n' > countries.csv
    "$cli" import Valstyb countries.csv > /dev/null
    printf 'KLI:Kod,KLI:PAV\nS0,Bendras\nS1,Pirma\nS2,Antra\nS3,Trečia\nS4,Ketvirta\n' > payers.csv
    "$cli" import Klient payers.csv > /dev/null
}

# One station: its registrations are numbered from STATION × 1,000,000, so the stations never collide
# on a key, only on the files. Writes what it left behind to station-N.left: registrations, lines and
# its payer's code.
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
                ((tries < 20)) || { echo "station $n: invoice lines not added" >&2; return 1; }
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
        # The shared payer, changed by every station: a lock held too long may refuse it, another
        # station's change never does.
        "$cli" update Klient --filter "KLI:Kod = 'S0'" --field "KLI:TEL=$n-$round" --yes \
            > /dev/null 2>> "station-$n.log" || true
        if grep -q "jau pakeitė" "station-$n.log"; then
            echo "station $n: a change failed as a conflict with another station" >&2
            return 1
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
            return 1
        fi
    done
    echo "$((added - removed)) $(((added - removed) * 2)) $payer" > "station-$n.left"
}

# Starts the four stations; their process ids in $station_pids.
soak_start_stations() {
    station_pids=()
    for n in 1 2 3 4; do
        station "$n" &
        station_pids+=($!)
    done
}

# Waits for the stations; fails when one did.
soak_wait_stations() {
    local failed=0
    for pid in "${station_pids[@]}"; do wait "$pid" || failed=1; done
    ((failed == 0)) || { echo "soak: a station failed" >&2; return 1; }
}

# `nakva-cli check` passes and the tables hold exactly what the stations say they left.
soak_verify() {
    local registrations=0 lines=0
    for n in 1 2 3 4; do
        read -r r l payer < "station-$n.left"
        registrations=$((registrations + r))
        lines=$((lines + l))
        # Every registration of the station names the payer's present code.
        stale=$("$cli" export Saskait --filter "SAS:IrasoNr >= $((n * 1000000)) AND SAS:IrasoNr < $(((n + 1) * 1000000)) AND SAS:KliKod <> '$payer'" | tail -n +2 | wc -l)
        ((stale == 0)) || { echo "soak: station $n left $stale registrations with an old payer code" >&2; return 1; }
    done

    "$cli" check > check.txt || { cat check.txt; echo "soak: check failed" >&2; return 1; }
    have_registrations=$("$cli" count Saskait)
    have_lines=$("$cli" count Saskeil)
    echo "soak: registrations $have_registrations (expected $registrations), lines $have_lines (expected $lines)"
    [[ $have_registrations == "$registrations" && $have_lines == "$lines" ]] || { echo "soak: counts differ" >&2; return 1; }
}
