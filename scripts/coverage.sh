#!/usr/bin/env bash
# Line coverage of src/ by the tests: the coverage build (preset "coverage": the core and
# pyx-cli without Qt, so the qt/ folders are not counted), every test,
# then gcovr's summary (and an HTML report in build/coverage/coverage.html).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset coverage -DPYX_WERROR=ON
cmake --build build/coverage
find build/coverage -name '*.gcda' -delete
ctest --test-dir build/coverage --output-on-failure || true
gcovr --root . --filter 'src/' --object-directory build/coverage --print-summary \
      --html build/coverage/coverage.html -j "$(nproc)"
