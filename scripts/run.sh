#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up the machine, builds Tamblin and starts it from build/bin/, with the
# bundled POSITION.INI and the sample sheets in build/bin/samples/ beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
cd build/bin
# A newcomer's first start shows a sheet.
exec ./tamblin samples/furusato.txt
