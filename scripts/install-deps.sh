#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, benchmark and run its demo.
# Idempotent: apt-get runs (with one `apt-get update`) only when a package is missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config git        # build
    libgtest-dev libbenchmark-dev        # unit tests, benchmarks
    qt6-base-dev libgl-dev               # the program's windows
    qt6-translations-l10n                # Qt's own texts (Ano, Ne, file dialogs) in Czech
    fonts-dejavu-core xvfb xauth         # fonts for the offscreen platform, screenshots
    clang-format                         # the format check
    python3 python3-pyftpdlib            # the FTP server that tests and the demo run on 127.0.0.1
    gnupg                                # gpg.exe
    unzip 7zip                           # archive readers that judge our archives
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
