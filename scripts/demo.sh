#!/usr/bin/env bash
# Demo on a fresh Debian 12 machine: installs what is needed, builds the program, starts a local
# FTP server on 127.0.0.1, lays out a temporary program folder (Projekt, the gpg.exe link,
# Settings.ini, a log path and a few data files in the list), runs one unattended send on Qt's
# offscreen platform, prints the log and stops the server.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-demo"
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$build" -DSENDER_WITH_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target Projekt -j"$jobs"

work=$(mktemp -d /tmp/daloma-demo-XXXXXX)
server_pid=
cleanup() {
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# The FTP server: a user with a password, writing into a folder of its own, on a free port.
user=daloma
password='Demo-heslo-1'
mkdir -p "$work/ftp" "$work/program" "$work/data"
port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
/usr/bin/python3 -m pyftpdlib -i 127.0.0.1 -p "$port" -w -d "$work/ftp" -u "$user" -P "$password" \
    >"$work/ftp-server.log" 2>&1 &
server_pid=$!
for _ in $(seq 50); do
    if /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1', $port), 1)" 2>/dev/null; then
        break
    fi
    sleep 0.1
done
echo "FTP server on 127.0.0.1:$port (user $user), serving $work/ftp"

# The program folder: the program, gpg.exe beside it, and its Settings.ini. Passwords are
# stored as their Base64 text on one line.
cp "$build/src/Projekt" "$work/program/Projekt"
ln -s "$(command -v gpg)" "$work/program/gpg.exe"
printf 'Zpráva číslo 1\n' >"$work/data/zprava.txt"
seq 1 2000 >"$work/data/cisla.csv"
head -c 4096 /dev/urandom >"$work/data/data.bin"
log="$work/program/Log.log"
{
    printf '[General]\r\n'
    printf 'FTPServer=127.0.0.1\r\n'
    printf 'Login=%s\r\n' "$user"
    printf 'Heslo=%s\r\n' "$(printf '%s' "$password" | base64 -w0)"
    printf 'Proxy=0\r\n'
    printf 'UseLog=1\r\nCestaLog=%s\r\nDeleteLog=0\r\n' "$log"
    printf 'FilesMoveTo=0\r\n'
    printf 'PocetSouboru=3\r\n'
    printf '[Files]\r\n'
    printf 'File0=%s\r\nFile1=%s\r\nFile2=%s\r\n' \
        "$work/data/zprava.txt" "$work/data/cisla.csv" "$work/data/data.bin"
} >"$work/program/Settings.ini"

echo "Running: Projekt /auto (offscreen)"
status=0
QT_QPA_PLATFORM=offscreen timeout 120 "$work/program/Projekt" /auto || status=$?
echo "Projekt ended with exit code $status"
echo "----- $log -----"
if [ -f "$log" ]; then
    # The log is Windows-1250 text with CR LF line ends.
    iconv -f WINDOWS-1250 -t UTF-8 "$log" | tr -d '\r'
else
    echo "(no log written)"
fi
echo "----- files on the FTP server -----"
ls -l "$work/ftp"
exit "$status"
