#!/usr/bin/env bash
# Start-up, typing and whole-document keys of Pallo side by side with FeatherPad (a Qt editor
# on QPlainTextEdit) and KWrite (KTextEditor), on the same generated Japanese text under Xvfb.
# The peers are not part of the build: install them by hand (apt-get install featherpad kwrite)
# before running this. Needs xvfb and xdotool (scripts/setup). PROGRAMS="Pallo KWrite" limits the
# programs measured.
#
#   bench/compare_peers.sh [runs] [line lengths...]
#
# Start-up: a 10 MB, 200,000-line and a 63 MB, 1,300,000-line document (Shift_JIS CR LF for
# Pallo, UTF-8 LF for the peers), opened from the command line: time to the mapped window, time
# to idle (the last CPU tick before half a second without one) and peak RSS. Typing: a file of
# one long line, and the end of the 63 MB document, keys typed with xdotool, CPU per key. Keys on
# the 63 MB document: a page down, a jump to the last line, select all then delete, CPU each
# until idle. Figures are on a shared machine: run a few times and read them as ranges; the
# printed value is the median.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
pallo=${PALLO:-$here/build/pallo}
runs=${1:-3}
shift || true
lengths=("${@:-20000 100000 1500000}")
read -r -a lengths <<<"${lengths[*]}"

for peer in featherpad kwrite; do
  command -v $peer >/dev/null || { echo "$peer is not installed" >&2; exit 1; }
done
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
# -noreset: the server would reset whenever the last editor closes, and refuse the next one.
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

python3 - "$work" "${lengths[@]}" <<'EOF'
import sys
work, lengths = sys.argv[1], [int(n) for n in sys.argv[2:]]
sentence = "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
lines = [sentence[:20 + i % 12] + "abc%d" % (i % 1000) for i in range(200000)]
open(f"{work}/large-sjis.txt", "wb").write("\r\n".join(lines).encode("cp932"))
open(f"{work}/large-utf8.txt", "wb").write(("\n".join(lines) + "\n").encode("utf-8"))
# About 63 MB of Shift_JIS in 1,300,000 lines of 11 to 34 characters.
lines = [sentence[:6 + i % 24] + "abc%d" % (i % 10000) for i in range(1300000)]
open(f"{work}/huge-sjis.txt", "wb").write("\r\n".join(lines).encode("cp932"))
open(f"{work}/huge-utf8.txt", "wb").write(("\n".join(lines) + "\n").encode("utf-8"))
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
    argv = {"Pallo": [f"{work}/prog/pallo", path], "FeatherPad": ["featherpad", path],
            "KWrite": ["kwrite", path]}[program]
    t0 = time.monotonic()
    p = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=open(f"{work}/err.log", "ab"))
    while not mapped(p.pid):
        time.sleep(0.01)
        if p.poll() is not None:
            raise SystemExit(f"{program} ended early: " + open(f"{work}/err.log").read()[-500:])
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

def focused(program, path):
    p, _, _ = launch(program, path)
    wait_idle(p.pid, quiet=1.0)
    win = mapped(p.pid)[-1]
    # No window manager runs: the window gets the keyboard focus directly.
    subprocess.run(["xdotool", "windowfocus", "--sync", win], capture_output=True)
    return p

def keys_cpu(p, *keys, count=1):
    """CPU ms from the keys until idle again (with the focus the caret blinks: a shorter quiet)."""
    wait_idle(p.pid, quiet=0.4, limit=60)
    before = cpu(p.pid)
    for k in keys:
        subprocess.run(["xdotool", "key", "--delay", "40", k])
    wait_idle(p.pid, quiet=0.4, limit=120)
    return (cpu(p.pid) - before) / count * 1000

def typing(program, path, keys):
    p = focused(program, path)
    subprocess.run(["xdotool", "key", "ctrl+End"])
    wait_idle(p.pid, quiet=0.4, limit=60)
    before = cpu(p.pid)
    subprocess.run(["xdotool", "type", "--delay", "30", "a" * keys])
    wait_idle(p.pid, quiet=0.4, limit=60)
    per_key = (cpu(p.pid) - before) / keys * 1000
    stop(p)
    return per_key

# Pallo's select all is a menu item without a shortcut: 編集(&E) then 全て選択(&A).
select_all = {"Pallo": ["alt+e", "a"], "FeatherPad": ["ctrl+a"], "KWrite": ["ctrl+a"]}

def whole_document_keys(program, path):
    p = focused(program, path)
    page = keys_cpu(p, "Next")
    last = keys_cpu(p, "ctrl+End")
    delete = keys_cpu(p, *select_all[program], "Delete")
    stop(p)
    return page, last, delete

def median(values):
    return sorted(values)[len(values) // 2]

def table(title, program, rows):
    cols = list(zip(*rows)) if isinstance(rows[0], tuple) else [rows]
    print(f"  {title:<22} {program:<11}" + " / ".join(f"{median(c):.2f}" for c in cols))

files = {"Pallo": "sjis", "FeatherPad": "utf8", "KWrite": "utf8"}
# PROGRAMS="Pallo" (space-separated) measures only those.
if os.environ.get("PROGRAMS"):
    files = {p: e for p, e in files.items() if p in os.environ["PROGRAMS"].split()}
for doc, label in (("large", "10 MB / 200,000 lines"), ("huge", "63 MB / 1,300,000 lines")):
    print(f"Start-up, {label}: mapped window s / idle s / peak RSS MB")
    for program, enc in files.items():
        table(doc, program, [startup(program, f"{work}/{doc}-{enc}.txt") for _ in range(runs)])
print("Keys on 63 MB: CPU ms for page down / ctrl+End / select all + Delete")
for program, enc in files.items():
    table("huge", program, [whole_document_keys(program, f"{work}/huge-{enc}.txt")
                            for _ in range(runs)])
print("Typing: CPU ms per key")
for program, enc in files.items():
    table("end of 63 MB", program, [typing(program, f"{work}/huge-{enc}.txt", 10)
                                    for _ in range(runs)])
for n in lengths:
    keys = 40 if n <= 200000 else 10
    for program, enc in files.items():
        table(f"line of {n}", program,
              [typing(program, f"{work}/long{n}-{enc}.txt", keys) for _ in range(runs)])
EOF
