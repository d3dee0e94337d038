#!/usr/bin/env bash
# Runs the packaged program as a teacher would after installing it: from a read-only install
# folder, with a home of its own. The first start lays out the data folder and shows the main
# window; the second copies nothing and keeps the same database.
set -euo pipefail
deb=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
root=$work/root home=$work/home runtime=$work/runtime
mkdir -p "$root" "$home" "$runtime"
chmod 700 "$runtime"
dpkg-deb -x "$deb" "$root"
chmod -R a-w "$root"
prepared=$root/usr/share/homework-tracker/program
data=$home/.local/share/homework-tracker
database=$data/作业查找数据库.mdb
fail() { echo "FAIL: $*"; exit 1; }

# Offscreen the window is only seen in Qt's painting log: the main window drawn, and no message.
start() {
  local log=$work/run$1.log
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$runtime" LANG=C.UTF-8 \
    QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES=qt.widgets.painting=true \
    "$root/usr/bin/homework-tracker" 2>"$log" &
  local pid=$! shown=no
  for _ in $(seq 100); do
    grep -q 'Drawing .* of QMainWindow(.*name="Form1")' "$log" && { shown=yes; break; }
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
  done
  sleep 1
  local running=yes
  kill $pid 2>/dev/null || running=no
  wait $pid || true
  if [ $shown = no ] || [ $running = no ] || grep -q 'name="qt_msgbox_label"' "$log"; then
    grep -v '^qt\.widgets\.painting' "$log" || true
    fail "start $1: main window drawn: $shown, still running after it: $running, or a message was shown"
  fi
}

# Every file but the database journal and the run's lock (a killed run leaves it for the next to
# take over), by inode, time, size and content.
snapshot() {
  local kept=(-type f ! -name '*-wal' ! -name '*-shm' ! -name '*.lock')
  (cd "$data" && find . "${kept[@]}" -printf '%P %i %T@ %s\n' | sort &&
    find . "${kept[@]}" -exec md5sum {} + | sort)
}

install_tree=$(find "$root" -printf '%P %T@\n' | sort)
start 1
[ -s "$database" ] || fail "no database in $data"
(cd "$prepared" && find . -type d) | while read -r folder; do
  [ -d "$data/$folder" ] || fail "folder not laid out: $folder"
done
(cd "$prepared" && find . -type f) | while read -r file; do
  cmp -s "$prepared/$file" "$data/$file" || fail "not copied: $file"
done
# A teacher's edit between the runs must survive the second start.
echo edited >>"$data/班级姓名.xls"
before=$(snapshot)

start 2
[ "$(snapshot)" = "$before" ] || { diff <(echo "$before") <(snapshot); fail "second start changed the data folder"; }
[ "$(find "$root" -printf '%P %T@\n' | sort)" = "$install_tree" ] || fail "the program wrote into its install folder"
echo "data folder laid out once in $data; main window shown twice"
