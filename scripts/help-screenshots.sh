#!/bin/sh
# Renews the pictures of the user guide (docs/help/images) from the program's own windows on
# the sample files. Run from the source tree after a release build.
set -eu
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/release}
cmake --build "$build" --target pyx-helpshots
env -u QT_QPA_PLATFORM "$build/pyx-helpshots" docs/help/images samples
echo "docs/help/images renewed; rebuild to ship them inside the program."
