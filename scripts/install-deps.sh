#!/usr/bin/env bash
# Installs the Debian packages Vorkan builds and runs with, only those that are missing.
set -euo pipefail
pkgs=(build-essential cmake pkg-config libfinal-dev libgpm-dev libpugixml-dev zlib1g-dev clang-14
      libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev hamradio-files tmux locales
      strace util-linux libssl-dev iproute2 python3 tzdata gettext libhamlib-dev
      libhamlib-utils cwdaemon)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then exit 0; fi
echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
