#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), configures, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
# Includes keep to the layer picture of docs/architecture.md; seconds, so before anything else.
bash tools/check-includes.sh
packages=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev python3-pymodbus python3-serial python3-serial-asyncio
          qt6-base-dev fonts-liberation xvfb socat clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
cmake -S . -B build -DVANTOR_WERROR=ON
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"

# The core and its tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build-asan -DVANTOR_WERROR=ON -DVANTOR_SANITIZE=ON -DVANTOR_GUI=OFF
cmake --build build-asan -j"$(nproc)" --target vantor_unit_tests vantor_integration_tests
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

# Every parser of line and file bytes under libFuzzer, 40 seconds per target, two at a time.
bash fuzz/run-fuzzers.sh build-fuzz 40
