#!/bin/bash
# make bench: every benchmark, ours beside its baseline in the same run, alternating runs,
# medians quoted. All data is generated here, in a sandbox under BUILD/bench-data.
set -euo pipefail
build=$(cd "${1:-build-release}" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
bin=$build/bin
work=$build/bench-data
rounds=${TWK_BENCH_ROUNDS:-5}
requests=${TWK_BENCH_REQUESTS:-30}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
rows=()
add_row() { rows+=("$1|$2|$3|$(ratio "$4" "$5")|$6"); }

rm -rf "$work"
mkdir -p "$work"
eval "$("$top/examples/demo-tarnwick/make-sandbox.sh" "$work/sandbox")"
export QT_QPA_PLATFORM=offscreen
scripts=$work/sandbox/Tarnwick.app/Contents/Resources/TWK_Scripts
user="$HOME/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension"
installer=$bin/twk-script-installer
run=$bin/twk-bench-run

echo "== helpers (Google Benchmark, 7 repetitions)"
while IFS= read -r line; do
    [[ $line == ROW\|* ]] && rows+=("${line#ROW|}")
done < <("$bin/twk-bench-helpers" --benchmark_min_time=0.2 2>/dev/null)

echo "== bulk install ($rounds rounds)"
rm -rf "$scripts"
"$run" make-tree "$scripts"
first=(); replace=(); copy=(); durable=()
for ((i = 0; i < rounds; i++)); do
    rm -rf "$user" "$work/cp-target"; mkdir -p "$user"; sync
    if ((i % 2)); then
        copy+=("$("$run" exec cp -a "$scripts" "$work/cp-target")"); sync
        first+=("$("$run" exec "$installer" --install-all)"); sync
    else
        first+=("$("$run" exec "$installer" --install-all)"); sync
        copy+=("$("$run" exec cp -a "$scripts" "$work/cp-target")"); sync
    fi
    replace+=("$("$run" exec "$installer" --install-all)"); sync
    # The like-for-like copy: cp -a made durable, as our install is before its swap.
    rm -rf "$work/cp-target"; sync
    durable+=("$("$run" exec sh -c 'cp -a "$1" "$2" && sync -f "$2"' sh "$scripts" "$work/cp-target")"); sync
done
cp_ms=$(printf '%s\n' "${copy[@]}" | median)
first_ms=$(printf '%s\n' "${first[@]}" | median)
replace_ms=$(printf '%s\n' "${replace[@]}" | median)
durable_ms=$(printf '%s\n' "${durable[@]}" | median)
add_row "bulk install, first" "$first_ms ms" "$cp_ms ms (cp -a)" "$first_ms" "$cp_ms" "<= 1.10"
add_row "bulk install, replacing" "$replace_ms ms" "$cp_ms ms (cp -a)" "$replace_ms" "$cp_ms" "<= 1.25"
add_row "  (reference) first, against a durable copy" "$first_ms ms" "$durable_ms ms (cp -a; sync -f)" "$first_ms" "$durable_ms" "-"
add_row "  (reference) replacing, against a durable copy" "$replace_ms ms" "$durable_ms ms (cp -a; sync -f)" "$replace_ms" "$durable_ms" "-"
rm -rf "$work/cp-target" "$user"; mkdir -p "$user"
rm -rf "$scripts"; cp -a "$top/examples/demo-tarnwick/Tarnwick.app/Contents/Resources/TWK_Scripts" "$scripts"

echo "== forwarded request ($requests rounds)"
bus_output=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus_output")
bus_pid=$(sed -n 2p <<<"$bus_output")
trap 'kill $bus_pid 2>/dev/null || true; [ -n "${instance:-}" ] && kill $instance 2>/dev/null || true' EXIT
printf '{"values": {"QZ_DontAskToInstall": {"bool": true}}}\n' > "$XDG_CONFIG_HOME/org.tarnwick.ScriptInstaller.conf"
"$installer" >/dev/null 2>&1 & instance=$!
owned() { dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
              string:org.tarnwick.ScriptInstaller 2>/dev/null | grep -q 'boolean true'; }
for ((t = 0; t < 100; t++)); do owned && break; sleep 0.1; done
forwarded=(); core=()
for ((i = 0; i < requests; i++)); do
    forwarded+=("$("$run" until-file "$user/Open Recent.sh" "$installer" 'twkscriptinstall://x?script=Open%20Recent.sh')")
    core+=("$("$run" exec "$bin/twk-bench-minimal" core)")
done
kill $instance; wait $instance 2>/dev/null || true; instance=""
forwarded_ms=$(printf '%s\n' "${forwarded[@]}" | median)
core_ms=$(printf '%s\n' "${core[@]}" | median)
add_row "forwarded request, launch to script in place" "$forwarded_ms ms" "$core_ms ms (Qt Core start-exit)" \
    "$forwarded_ms" "$core_ms" "<= 2.00"

echo "== window shown and idle memory ($((rounds * 3)) rounds)"
shown=(); widgets=(); rss=(); widgets_rss=()
for ((i = 0; i < rounds * 3; i++)); do
    shown+=("$("$run" exec "$bin/twk-bench-window")")
    widgets+=("$("$run" exec "$bin/twk-bench-minimal" widgets)")
done
for ((i = 0; i < rounds; i++)); do
    rss+=("$("$bin/twk-bench-window" --rss 2>/dev/null)")
    widgets_rss+=("$("$bin/twk-bench-minimal" widgets-rss 2>/dev/null)")
done
shown_ms=$(printf '%s\n' "${shown[@]}" | median)
widgets_ms=$(printf '%s\n' "${widgets[@]}" | median)
rss_kib=$(printf '%s\n' "${rss[@]}" | median)
widgets_kib=$(printf '%s\n' "${widgets_rss[@]}" | median)
add_row "window shown, start to exit" "$shown_ms ms" "$widgets_ms ms (Qt Widgets window)" "$shown_ms" "$widgets_ms" "<= 1.30"
add_row "idle memory, window shown" "$rss_kib KiB" "$widgets_kib KiB (Qt Widgets window)" "$rss_kib" "$widgets_kib" "<= 1.20"

echo
printf '%s\n' "benchmark|ours (median)|baseline (median)|ratio|goal" "${rows[@]}" |
    awk -F'|' '{ for (i = 1; i <= NF; i++) { cell[NR, i] = $i; if (length($i) > w[i]) w[i] = length($i) } n = NR }
               END { for (r = 1; r <= n; r++) { line = ""; for (i = 1; i <= 5; i++) line = line sprintf("%-" w[i] "s  ", cell[r, i]); print line } }'
