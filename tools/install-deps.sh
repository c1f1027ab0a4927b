#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing ZARIM need,
# only those that are missing, as root or through sudo.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev libicu-dev libfmt-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-liberation2 poppler-utils xvfb xauth xdg-utils
          clang libclang-rt-14-dev clang-format x11-utils
          libqt6svg6 cups printer-driver-cups-pdf cups-filters at-spi2-core dbus-daemon
          desktop-file-utils appstream dpkg-dev)
# The XML engine of the exchange library.
packages+=(libxml2-dev)
# xmllint: the tests check the transfer file against its schema.
packages+=(libxml2-utils)
# The translation catalogs (msgfmt, the template and catalog checks) and Qt's own texts
# (standard buttons, file and print dialogs) in the same languages.
packages+=(gettext python3 qt6-translations-l10n)
# The benchmarks' kill sweep stops commands at chosen system calls through strace.
packages+=(strace)
# A small window manager under the virtual X server, so the guide's pictures show the
# window frames and their titles (make screenshots).
packages+=(openbox)
# The metric-compatible face of the record card's "Calibri".
packages+=(fonts-crosextra-carlito)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo." >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
