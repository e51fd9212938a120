#!/usr/bin/env bash
# Start-up and typing of Pallo side by side with FeatherPad, a Qt editor, on the same generated
# Japanese text under Xvfb. FeatherPad is not part of the build: install it by hand
# (apt-get install featherpad) before running this. Needs xvfb and xdotool (scripts/setup).
#
#   bench/compare_peers.sh [runs] [line lengths...]
#
# Start-up: a 10 MB, 200,000-line document (Shift_JIS CR LF for Pallo, UTF-8 LF for
# FeatherPad), opened from the command line: time to the mapped window, time to idle (the
# last CPU tick before half a second without one) and peak RSS. Typing: a file of one long
# line, keys typed at its end with xdotool, CPU per key. Figures are wall clock on a shared
# machine: run a few times and read them as ranges.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
pallo=${PALLO:-$here/build/pallo}
runs=${1:-3}
shift || true
lengths=("${@:-20000 100000 1500000}")
read -r -a lengths <<<"${lengths[*]}"

command -v featherpad >/dev/null || { echo "featherpad is not installed" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "xdotool is missing: run scripts/setup" >&2; exit 1; }
[ -x "$pallo" ] || { echo "no $pallo: run scripts/build" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
sleep 1

python3 - "$work" "${lengths[@]}" <<'EOF'
import sys
work, lengths = sys.argv[1], [int(n) for n in sys.argv[2:]]
sentence = "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
lines = [sentence[:20 + i % 12] + "abc%d" % (i % 1000) for i in range(200000)]
open(f"{work}/large-sjis.txt", "wb").write("\r\n".join(lines).encode("cp932"))
open(f"{work}/large-utf8.txt", "wb").write(("\n".join(lines) + "\n").encode("utf-8"))
prose = ("吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめ"
         "した所でニャーニャー泣いていた事だけは記憶している。abc def ghi, ")
for n in lengths:
    line = (prose * (n // len(prose) + 1))[:n]
    open(f"{work}/long{n}-sjis.txt", "wb").write(line.encode("cp932"))
    open(f"{work}/long{n}-utf8.txt", "wb").write((line + "\n").encode("utf-8"))
EOF

# Pallo keeps its settings and backup beside the program: each run gets a fresh copy.
mkdir -p "$work/prog" "$work/home"
cp "$pallo" "$work/prog/pallo"

python3 - "$work" "$runs" "${lengths[@]}" <<'EOF'
import os, subprocess, sys, time

work, runs, lengths = sys.argv[1], int(sys.argv[2]), [int(n) for n in sys.argv[3:]]
tick = os.sysconf("SC_CLK_TCK")
env = dict(os.environ, HOME=f"{work}/home", XDG_CONFIG_HOME=f"{work}/home/.config",
           LANG="ja_JP.UTF-8")

def cpu(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / tick

def peak_rss_mb(pid):
    for line in open(f"/proc/{pid}/status"):
        if line.startswith("VmHWM:"):
            return int(line.split()[1]) / 1024
    return 0.0

def mapped(pid):
    r = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                       capture_output=True, text=True)
    return r.stdout.split()

def wait_idle(pid, quiet=0.5, limit=300):
    """Time of the last CPU tick before `quiet` seconds without one."""
    last, changed = cpu(pid), time.monotonic()
    start = time.monotonic()
    while time.monotonic() - changed < quiet and time.monotonic() - start < limit:
        time.sleep(0.02)
        now = cpu(pid)
        if now != last:
            last, changed = now, time.monotonic()
    return changed

def launch(program, path):
    for name in ("Pallo.ini", "PalloBackup.txt"):
        try:
            os.remove(f"{work}/prog/{name}")
        except FileNotFoundError:
            pass
    argv = [f"{work}/prog/pallo", path] if program == "Pallo" else ["featherpad", path]
    t0 = time.monotonic()
    p = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while not mapped(p.pid):
        time.sleep(0.01)
        if p.poll() is not None:
            raise SystemExit(f"{program} ended early")
    return p, t0, time.monotonic()

def stop(p):
    p.kill()
    p.wait()

def startup(program, path):
    p, t0, t_map = launch(program, path)
    t_idle = wait_idle(p.pid)
    rss = peak_rss_mb(p.pid)
    stop(p)
    return t_map - t0, t_idle - t0, rss

def typing(program, path, keys):
    p, _, _ = launch(program, path)
    wait_idle(p.pid, quiet=1.0)
    win = mapped(p.pid)[-1]
    # No window manager runs: the window gets the keyboard focus directly.
    subprocess.run(["xdotool", "windowfocus", "--sync", win], capture_output=True)
    subprocess.run(["xdotool", "key", "ctrl+End"])
    # With the focus the caret blinks twice a second: idle is a shorter quiet spell.
    wait_idle(p.pid, quiet=0.4, limit=60)
    before = cpu(p.pid)
    subprocess.run(["xdotool", "type", "--delay", "30", "a" * keys])
    wait_idle(p.pid, quiet=0.4, limit=60)
    per_key = (cpu(p.pid) - before) / keys * 1000
    stop(p)
    return per_key

files = {"Pallo": "sjis", "FeatherPad": "utf8"}
print("Start-up, 10 MB / 200,000 lines: mapped window s / idle s / peak RSS MB")
for program, enc in files.items():
    rows = [startup(program, f"{work}/large-{enc}.txt") for _ in range(runs)]
    print(f"  {program:<11}" + "   ".join(f"{m:.2f} / {i:.2f} / {r:.0f}" for m, i, r in rows))
print("Typing at the end of one long line: CPU ms per key")
for n in lengths:
    keys = 40 if n <= 200000 else 10
    for program, enc in files.items():
        rows = [typing(program, f"{work}/long{n}-{enc}.txt", keys) for _ in range(runs)]
        print(f"  {n:>9} {program:<11}" + "   ".join(f"{k:.1f}" for k in rows))
EOF
