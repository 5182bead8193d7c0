#!/usr/bin/env bash
# Backups while four stations write (scripts/soak-stations.sh), for two minutes. Two backup loops (the
# program's first start of the day and a cron job, say) each take a backup into one folder every few
# seconds, keeping the newest few; a third starts backups there and kills them half-way. Every backup
# that reports success must hold all nineteen table files, pass `check --dir` as a backup, and be
# restored into a folder of its own that passes `check` there too: its layout, its keys and its links
# (a backup of one moment holds no invoice line without its registration, no registration naming a
# payer code that a rename had already left). At the end no half-made backup folder is left, and the
# stations' folder is checked as `make soak` checks it.
#
#   scripts/soak-backup.sh [BUILD_DIR] [SECONDS]        (make soak-backup)
set -euo pipefail

build=${1:-build/debug}
seconds=${2:-120}
cli=$(realpath "$build/app/cli/nakva-cli")
source "$(dirname "$(realpath "$0")")/soak-stations.sh"
work=$(mktemp -d /tmp/nakva-soak-backup.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"
backups=$work/kopijos
kept=20

# `check` on a folder, its report kept in a file and shown when it fails.
passes_check() {
    "$cli" check --dir "$1" > "$2" || { cat "$2" >&2; return 1; }
}

# One backup loop: a backup every 2 to 4 seconds; each one made is restored into a copy and checked.
# A backup may be refused while the files stay busy too long; any other failure fails the run.
backup_loop() {
    local n=$1 end=$((SECONDS + seconds)) made=0 busy=0 out folder
    while ((SECONDS < end)); do
        if out=$("$cli" backup --to "$backups" --keep "$kept" 2>> "backup-$n.log"); then
            folder=$(head -n 1 <<< "$out")
            if [[ $(tail -n 1 <<< "$out") != "Atsarginėje kopijoje failų: 19." ]]; then
                echo "backup $n: $out" >&2
                return 1
            fi
            passes_check "$folder" "check-backup-$n.txt" || { echo "backup $n: $folder does not pass check" >&2; return 1; }
            local copy=$work/copy-$n
            rm -rf "$copy"
            mkdir "$copy"
            if ! "$cli" restore "$folder" --dir "$copy" > /dev/null 2>> "backup-$n.log"; then
                tail -n 3 "backup-$n.log" >&2
                echo "backup $n: $folder not restored" >&2
                return 1
            fi
            passes_check "$copy" "check-copy-$n.txt" ||
                { echo "backup $n: the restore of $folder does not pass check" >&2; return 1; }
            made=$((made + 1))
        elif tail -n 2 "backup-$n.log" | grep -q "per ilgai užimti"; then
            busy=$((busy + 1))
        else
            tail -n 3 "backup-$n.log" >&2
            echo "backup $n: failed" >&2
            return 1
        fi
        sleep "$((2 + RANDOM % 3))"
    done
    echo "backup $n: $made made, restored and checked; $busy refused while the files stayed busy"
    ((made > 0))
}

# Backups killed half-way, now and then: what they leave behind the next backup removes.
killer_loop() {
    local end=$((SECONDS + seconds)) killed=0
    while ((SECONDS < end)); do
        "$cli" backup --to "$backups" > /dev/null 2>&1 &
        local pid=$!
        sleep "0.$((RANDOM % 4))$((RANDOM % 10))"
        kill -KILL "$pid" 2> /dev/null && killed=$((killed + 1))
        wait "$pid" 2> /dev/null || true
        sleep 5
    done
    echo "backups killed half-way: $killed"
}

soak_setup
soak_start_stations
backup_loop 1 &
first=$!
backup_loop 2 &
second=$!
killer_loop &
killer=$!
failed=0
wait "$first" || failed=1
wait "$second" || failed=1
wait "$killer" || failed=1
soak_wait_stations || failed=1
((failed == 0)) || { echo "soak-backup: failed" >&2; exit 1; }

# The last backup clears what the last killed one left; every folder there is a whole backup.
"$cli" backup --to "$backups" --keep "$kept" > /dev/null
left=$(find "$backups" -mindepth 1 -maxdepth 1 -name '.*' | wc -l)
((left == 0)) || { ls -la "$backups" >&2; echo "soak-backup: $left half-made backups left" >&2; exit 1; }
count=0
for folder in "$backups"/*; do
    "$cli" check --dir "$folder" > /dev/null || { echo "soak-backup: $folder does not pass check" >&2; exit 1; }
    count=$((count + 1))
done
((count <= kept)) || { echo "soak-backup: $count backups kept, not $kept" >&2; exit 1; }
soak_verify
echo "soak-backup: clean"
