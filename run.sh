#!/usr/bin/env bash
# Builds the program and runs it. Installs missing packages first.
#
# With a USB serial device attached (/dev/ttyUSB*, /dev/ttyACM*) the program
# runs as it is: choose the port with " 설정 ", then " 시작 ".
# Without one (or with --demo) it runs a demo copy in build/demo, with its own
# Temp_comm.ini pointing at the bundled device simulator: press " 시작 ".
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/tools/install-deps.sh"
build=${BUILD_DIR:-$here/build}
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target calvor calvor-devsim

device_attached() { compgen -G "/dev/ttyUSB*" >/dev/null || compgen -G "/dev/ttyACM*" >/dev/null; }
if [ "${1:-}" != "--demo" ] && device_attached; then
  exec "$build/calvor"
fi

demo="$build/demo"
mkdir -p "$demo"
cp "$build/calvor" "$demo/calvor"
tty="$demo/ttyCALVOR"
# [통신온도] 포트=<simulator> 속도=9600, [통신인디] empty, in CP949.
printf '[\xC5\xEB\xBD\xC5\xBF\xC2\xB5\xB5]\r\n\xC6\xF7\xC6\xAE=%s\r\n\xBC\xD3\xB5\xB5=9600\r\n[\xC5\xEB\xBD\xC5\xC0\xCE\xB5\xF0]\r\n\xC6\xF7\xC6\xAE=\r\n\xBC\xD3\xB5\xB5=\r\n' \
  "$tty" > "$demo/Temp_comm.ini"
"$build/calvor-devsim" --link "$tty" --rate 2 >/dev/null &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$tty" ] && break; sleep 0.1; done
echo "Demo: the simulator is on $tty. Press \" 시작 \" in the window."
"$demo/calvor"
