#!/usr/bin/env bash
# Builds the 64-bit tool and starts it under Wine on the current X display ($DISPLAY; without
# one, on a virtual display of its own). Installs what it needs on first use.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash scripts/install-deps.sh
bash scripts/build.sh x64

# shellcheck source=wine.sh
source scripts/wine.sh
if [[ -z ${DISPLAY-} ]]; then
    echo "run.sh: no X display set; starting a virtual one (Xvfb), which nobody can see." >&2
fi
wine_display_ready
wine_prefix_ready
echo "Starting Tarnwick Windows Quellon on display $DISPLAY"
wine_run "build/x64/$(<build/x64/tool-name.txt)"
