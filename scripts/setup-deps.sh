#!/usr/bin/env bash
# Installs the Debian packages Quarrymere needs to build, run and test. Calls apt-get only when
# something is missing, so a machine that already has everything is left alone.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
    libsqlite3-dev mdbtools-dev libzip-dev unixodbc-dev odbcinst
    libgtest-dev libgmock-dev
    postgresql odbc-postgresql
    python3-xlwt python3-openpyxl
    # the readers the sample files are compared with (tools/readers)
    python3-xlrd mdbtools
    # make install, make deb and their checks
    dpkg-dev desktop-file-utils shared-mime-info man-db lintian
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# Another apt run (an unattended upgrade, a second set-up) may hold the package manager's locks:
# wait for it rather than fail. apt waits for the dpkg lock itself; the lists' lock of an update
# is waited for here, up to ten minutes.
wait_for_lock=(-o DPkg::Lock::Timeout=600)
for attempt in $(seq 1 120); do
    if "${sudo[@]}" apt-get "${wait_for_lock[@]}" update -qq; then
        break
    fi
    [ "$attempt" -lt 120 ] || exit 1
    echo "apt-get update failed; trying again in 5 s (another apt run may hold its lock)" >&2
    sleep 5
done
"${sudo[@]}" apt-get "${wait_for_lock[@]}" install -y -qq --no-install-recommends "${missing[@]}"
