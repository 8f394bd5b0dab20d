#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up the machine, builds Tamblin and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build -DTAMBLIN_WERROR=ON
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --timeout 600
