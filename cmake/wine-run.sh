#!/usr/bin/env bash
# Runs a Windows executable under Wine, in the prefix kept inside the build tree.
# Used as the cross build's emulator, so ctest runs test executables through it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh"
exec wine "$@"
