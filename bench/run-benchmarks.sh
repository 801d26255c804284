#!/bin/bash
# make bench: every benchmark, ours beside its baseline in the same run, alternating runs,
# medians quoted. All data is generated here: file trees on tmpfs (/dev/shm), sandboxes and
# private session buses of their own.
set -euo pipefail
build=$(cd "${1:-build-release}" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
bin=$build/bin
rounds=${TWK_BENCH_ROUNDS:-7}
work=$(mktemp -d /dev/shm/twk-bench-XXXXXX)
buses=()
cleanup() {
    for pid in "${buses[@]}"; do kill "$pid" 2>/dev/null || true; done
    pkill -f "$bin/twk-bench-window" 2>/dev/null || true
    pkill -f "$bin/twk-bench-bus-message" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen
unset DBUS_SESSION_BUS_ADDRESS
installer=$bin/twk-script-installer
run=$bin/twk-bench-run

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
rows=()
add_row() { rows+=("$1|$2|$3|$(ratio "$4" "$5")|$6"); }
# sandbox NAME: a private desktop under the work folder; its environment is exported.
sandbox() { eval "$("$top/examples/demo-tarnwick/make-sandbox.sh" "$work/$1" "${@:2}")"; }
scripts_of() { echo "$work/$1/Tarnwick.app/Contents/Resources/TWK_Scripts"; }
user_folder() { echo "$HOME/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension"; }
# A private session bus for this shell; later commands reach it.
start_bus() {
    local out
    out=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$out")
    buses+=("$(sed -n 2p <<<"$out")")
}
stop_bus() { kill "${buses[-1]}" 2>/dev/null || true; unset DBUS_SESSION_BUS_ADDRESS; }
owned() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        string:org.tarnwick.ScriptInstaller 2>/dev/null | grep -q 'boolean true'
}

echo "== helpers (Google Benchmark)"
while IFS= read -r line; do
    [[ $line == ROW\|* ]] && rows+=("${line#ROW|}")
done < <("$bin/twk-bench-helpers" --benchmark_min_time=0.2 2>/dev/null)

echo "== a diff and a merge of a 10,000-line script (Google Benchmark; whole program, $rounds rounds)"
while IFS= read -r line; do
    [[ $line == ROW\|* ]] && rows+=("${line#ROW|}")
done < <("$bin/twk-bench-diff" --benchmark_min_time=0.2 2>/dev/null)
# The whole program, as a user runs it: --diff, and --merge --install of the same script, each
# round from the same three versions (as installed, the user's, Tarnwick's).
sandbox merge
source=$(scripts_of merge); user=$(user_folder)
seq 1 10000 | sed 's/.*/echo "line &" >> "$log"/' > "$work/base"
sed '1~250s/$/ # mine/' "$work/base" > "$work/yours"
sed '125~250s/$/ # new/' "$work/base" > "$work/theirs"
diffs=(); merges=()
for ((i = 0; i < rounds; i++)); do
    cp "$work/base" "$source/big.sh"; "$installer" --replace-edited --install big.sh >/dev/null
    cp "$work/yours" "$user/big.sh"; cp "$work/theirs" "$source/big.sh"
    diffs+=("$("$run" exec "$installer" --diff big.sh || true)") # 1: the copies differ
    merges+=("$("$run" exec "$installer" --merge --install big.sh)")
done
diff_ms=$(printf '%s\n' "${diffs[@]}" | median)
merge_ms=$(printf '%s\n' "${merges[@]}" | median)
add_row "  --diff of it, the whole program" "$diff_ms ms" "100 ms (the budget)" "$diff_ms" 100 "< 1.00"
add_row "  --merge --install of it, the whole program" "$merge_ms ms" "100 ms (the budget)" "$merge_ms" 100 "< 1.00"

echo "== bulk install against cp -a, on tmpfs ($rounds rounds)"
sandbox bulk
source=$(scripts_of bulk); user=$(user_folder); state=$XDG_STATE_HOME/org.tarnwick.ScriptInstaller
rm -rf "$source"; "$run" make-tree "$source" 0
first=(); unchanged=(); updated=(); copy=()
for ((i = 0; i < rounds; i++)); do
    rm -rf "$user" "$state" "$work/cp"; mkdir -p "$user"
    if ((i % 2)); then
        copy+=("$("$run" exec cp -a "$source" "$work/cp")")
        first+=("$("$run" exec "$installer" --install-all)")
    else
        first+=("$("$run" exec "$installer" --install-all)")
        copy+=("$("$run" exec cp -a "$source" "$work/cp")")
    fi
    # A stamp vouches for a copy a clock's tick after the copy was made: the listing a user
    # would look at meanwhile teaches the record the stamps it then trusts.
    sleep 0.05; "$installer" --list >/dev/null
    unchanged+=("$("$run" exec "$installer" --install-all)")
    "$run" make-tree "$source" 1 # Tarnwick updates every script
    updated+=("$("$run" exec "$installer" --install-all)")
    "$run" make-tree "$source" 0
done
cp_ms=$(printf '%s\n' "${copy[@]}" | median)
first_ms=$(printf '%s\n' "${first[@]}" | median)
unchanged_ms=$(printf '%s\n' "${unchanged[@]}" | median)
updated_ms=$(printf '%s\n' "${updated[@]}" | median)
add_row "bulk install, first, digests included (3,070 files, 212 MB)" "$first_ms ms" "$cp_ms ms (cp -a)" "$first_ms" "$cp_ms" "<= 1.00"
add_row "bulk install, nothing changed" "$unchanged_ms ms" "$cp_ms ms (cp -a)" "$unchanged_ms" "$cp_ms" "<= 0.10"
add_row "bulk install, every script updated" "$updated_ms ms" "$cp_ms ms (cp -a)" "$updated_ms" "$cp_ms" "<= 1.10"
rm -rf "$work/cp" "$source" "$user" "$state"

echo "== the window with 10 and with 10,000 scripts ($rounds rounds)"
declare -A shown filled change
for n in 10 10000; do
    sandbox "list$n"
    source=$(scripts_of "list$n")
    rm -rf "$source"; mkdir -p "$source"
    (cd "$source" && seq 1 $n | sed 's/.*/script &.sh/' | while read -r name; do echo "echo $name" > "$name"; done)
    "$installer" --install-all >/dev/null
    s=(); f=(); c=()
    for ((i = 0; i < rounds; i++)); do
        read -r a b < <(TWK_BENCH_KEEP_OUTPUT=1 "$run" exec "$bin/twk-bench-window" --filled)
        s+=("$a"); f+=("$b")
        c+=("$("$bin/twk-bench-window" --change 2>/dev/null)")
    done
    if ((n == 10000)); then
        # --list reads no content of unchanged copies: against the same listing with no
        # record, which must read every copy.
        record=$XDG_STATE_HOME/org.tarnwick.ScriptInstaller/installed.cbor
        sleep 0.05; "$installer" --list >/dev/null
        cp "$record" "$work/record"
        l=(); r=()
        for ((i = 0; i < rounds; i++)); do
            l+=("$("$run" exec "$installer" --list)")
            rm -f "$record"
            r+=("$("$run" exec "$installer" --list)")
            cp "$work/record" "$record"
        done
        list_ms=$(printf '%s\n' "${l[@]}" | median)
        read_ms=$(printf '%s\n' "${r[@]}" | median)
    fi
    shown[$n]=$(printf '%s\n' "${s[@]}" | median)
    filled[$n]=$(printf '%s\n' "${f[@]}" | median)
    change[$n]=$(printf '%s\n' "${c[@]}" | median)
done
add_row "window shown, 10,000 scripts" "${shown[10000]} ms" "${shown[10]} ms (10 scripts)" "${shown[10000]}" "${shown[10]}" "<= 2.00"
add_row "  (reference) list filled, 10,000 scripts" "${filled[10000]} ms" "${filled[10]} ms (10 scripts)" "${filled[10000]}" "${filled[10]}" "-"
add_row "--list, 10,000 unchanged scripts" "$list_ms ms" "$read_ms ms (no record: every copy read)" "$list_ms" "$read_ms" "< 1.00"
add_row "one script changes, 10,000 scripts" "${change[10000]} ms" "${change[10]} ms (10 scripts)" "${change[10000]}" "${change[10]}" "~ 1.00"

echo "== 10,000 install URLs in one Open call ($rounds rounds)"
sandbox requests
start_bus
"$installer" -platform offscreen >/dev/null 2>&1 & instance=$!
for ((t = 0; t < 100; t++)); do owned && break; sleep 0.1; done
one=(); many=()
rss() { awk '/^VmRSS/ { print $2 }' "/proc/$instance/status"; }
before=$(rss)
for ((i = 0; i < rounds; i++)); do
    one+=("$("$run" open 1)")
    many+=("$("$run" open 10000)")
done
after=$(rss)
kill $instance; wait $instance 2>/dev/null || true
stop_bus
one_ms=$(printf '%s\n' "${one[@]}" | median)
many_ms=$(printf '%s\n' "${many[@]}" | median)
add_row "Open with 10,000 URLs, answered" "$many_ms ms" "$one_ms ms (1 URL)" "$many_ms" "$one_ms" "at once"
per_url=$(awk -v a="$after" -v b="$before" -v n=$((rounds * 10001)) 'BEGIN { printf "%.0f", (a - b) * 1024 / n }')
add_row "  memory per waiting request" "$per_url bytes" "58 bytes of URL text" "$per_url" 58 "in proportion"

echo "== window shown and idle memory ($((rounds * 2)) rounds)"
# Against the same window made from the same MainWindow.ui with nothing behind it, against a
# window with one label, and against an empty one.
sandbox window
ours=(); designer=(); widgets=(); label=()
ours_rss=(); ours_pss=(); designer_rss=(); designer_pss=(); widgets_rss=(); widgets_pss=()
label_rss=(); label_pss=()
for ((i = 0; i < rounds * 2; i++)); do
    ours+=("$("$run" exec "$bin/twk-bench-window")")
    designer+=("$("$run" exec "$bin/twk-bench-minimal" designer)")
    widgets+=("$("$run" exec "$bin/twk-bench-minimal" widgets)")
    label+=("$("$run" exec "$bin/twk-bench-minimal" label)")
done
for ((i = 0; i < rounds; i++)); do
    read -r r p < <("$bin/twk-bench-window" --rss 2>/dev/null); ours_rss+=("$r"); ours_pss+=("$p")
    read -r r p < <("$bin/twk-bench-minimal" designer-rss 2>/dev/null)
    designer_rss+=("$r"); designer_pss+=("$p")
    read -r r p < <("$bin/twk-bench-minimal" widgets-rss 2>/dev/null); widgets_rss+=("$r"); widgets_pss+=("$p")
    read -r r p < <("$bin/twk-bench-minimal" label-rss 2>/dev/null); label_rss+=("$r"); label_pss+=("$p")
done
for name in ours designer widgets label ours_rss ours_pss designer_rss designer_pss widgets_rss \
    widgets_pss label_rss label_pss; do
    declare -n values=$name
    declare "${name}_median=$(printf '%s\n' "${values[@]}" | median)"
done
add_row "window shown, start to exit" "$ours_median ms" "$designer_median ms (same widgets, MainWindow.ui)" "$ours_median" "$designer_median" "<= 1.15"
add_row "window shown, start to exit" "$ours_median ms" "$label_median ms (Qt window, one label)" "$ours_median" "$label_median" "<= 1.25"
add_row "  (reference) window shown, against an empty one" "$ours_median ms" "$widgets_median ms (Qt Widgets window)" "$ours_median" "$widgets_median" "-"
add_row "idle memory, PSS" "$ours_pss_median KiB" "$label_pss_median KiB (Qt window, one label)" "$ours_pss_median" "$label_pss_median" "<= 1.30"
add_row "  (reference) idle PSS, same widgets" "$ours_pss_median KiB" "$designer_pss_median KiB (same widgets, MainWindow.ui)" "$ours_pss_median" "$designer_pss_median" "-"
add_row "  (reference) idle PSS, against an empty one" "$ours_pss_median KiB" "$widgets_pss_median KiB (Qt Widgets window)" "$ours_pss_median" "$widgets_pss_median" "-"
add_row "  (reference) idle RSS, against one with text" "$ours_rss_median KiB" "$label_rss_median KiB (Qt window, one label)" "$ours_rss_median" "$label_rss_median" "-"
add_row "  (reference) idle RSS, same widgets" "$ours_rss_median KiB" "$designer_rss_median KiB (same widgets, MainWindow.ui)" "$ours_rss_median" "$designer_rss_median" "-"

echo "== an install link with no instance running, to its sheet ($((rounds * 2)) rounds)"
sandbox latency
export TWK_BENCH_SHEET_FILE=$work/stamp
url='twkscriptinstall://install?script=Open%20Recent.sh'
alone=(); message=(); confirmation=(); activated=(); activated_message=()
for ((i = 0; i < rounds * 2; i++)); do
    alone+=("$("$run" until-stamp "$TWK_BENCH_SHEET_FILE" "$bin/twk-bench-window" --sheet "$url")")
    message+=("$("$run" until-stamp "$TWK_BENCH_SHEET_FILE" "$bin/twk-bench-minimal" message)")
    confirmation+=("$("$run" until-stamp "$TWK_BENCH_SHEET_FILE" "$bin/twk-bench-minimal" confirmation)")
done
# Through the session bus, as xdg-open does: the launch has the bus start the instance from
# the .service file in the sandbox's service folder. The baseline is started by the same bus
# from the same file, naming the message box program instead; rounds alternate, the bus
# reloading the file each time.
services=$XDG_DATA_HOME/dbus-1/services
mkdir -p "$services"
serve() {
    printf '[D-BUS Service]\nName=org.tarnwick.ScriptInstaller\nExec=%s --gapplication-service\n' \
        "$*" > "$services/org.tarnwick.ScriptInstaller.service"
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.ReloadConfig >/dev/null
}
gone() { for ((t = 0; t < 100; t++)); do owned || break; sleep 0.05; done; } # the instance quit
start_bus
for ((i = 0; i < rounds * 2; i++)); do
    serve "$bin/twk-bench-window --sheet"
    activated+=("$("$run" until-stamp "$TWK_BENCH_SHEET_FILE" "$installer" "$url")")
    gone
    serve "$bin/twk-bench-bus-message"
    activated_message+=("$("$run" until-stamp "$TWK_BENCH_SHEET_FILE" "$installer" "$url")")
    gone
done
stop_bus
alone_ms=$(printf '%s\n' "${alone[@]}" | median)
message_ms=$(printf '%s\n' "${message[@]}" | median)
confirmation_ms=$(printf '%s\n' "${confirmation[@]}" | median)
activated_ms=$(printf '%s\n' "${activated[@]}" | median)
activated_message_ms=$(printf '%s\n' "${activated_message[@]}" | median)
add_row "launch to confirmation sheet, no bus" "$alone_ms ms" "$message_ms ms (QMessageBox program)" "$alone_ms" "$message_ms" "<= 1.30"
add_row "  (reference) no bus, against a box with the same texts" "$alone_ms ms" "$confirmation_ms ms (QMessageBox, the confirmation's texts)" "$alone_ms" "$confirmation_ms" "-"
add_row "launch to confirmation sheet, started by the bus" "$activated_ms ms" "$activated_message_ms ms (QMessageBox program started by the bus)" "$activated_ms" "$activated_message_ms" "<= 1.30"
add_row "  (reference) started by the bus, against one started directly" "$activated_ms ms" "$message_ms ms (QMessageBox program started directly)" "$activated_ms" "$message_ms" "-"

echo
printf '%s\n' "benchmark|ours (median)|baseline (median)|ratio|goal" "${rows[@]}" |
    awk -F'|' '{ for (i = 1; i <= NF; i++) { cell[NR, i] = $i; if (length($i) > w[i]) w[i] = length($i) } n = NR }
               END { for (r = 1; r <= n; r++) { line = ""; for (i = 1; i <= 5; i++) line = line sprintf("%-" w[i] "s  ", cell[r, i]); print line } }'
