#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), configures, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
# Includes keep to the layer picture of docs/architecture.md; seconds, so before anything else.
bash tools/check-includes.sh
packages=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev python3-pymodbus python3-serial python3-serial-asyncio
          qt6-base-dev fonts-liberation xvfb socat clang libclang-rt-14-dev locales tshark
          g++-mingw-w64-x86-64-posix googletest wine wine64
          dpkg-dev fakeroot lintian desktop-file-utils appstream openbox xdotool xclip x11-utils)
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

# Every suite in C.UTF-8 and, side by side, in Russian (decimal comma) as our users run it. The
# Russian locale is made inside the build tree; the machine's own locales stay as they are. The
# desktop tests (`ctest -L desktop`: the program on Xvfb under openbox) run in both passes.
if [ ! -f build/locale/ru_RU.UTF-8/LC_NUMERIC ]; then
    mkdir -p build/locale
    localedef -i ru_RU -f UTF-8 build/locale/ru_RU.UTF-8
fi
export LOCPATH="$PWD/build/locale"
LC_ALL=C.UTF-8 ctest --test-dir build --output-on-failure -j"$(nproc)" \
    >build/ctest-c.log 2>&1 &
c_pass=$!
LC_ALL=ru_RU.UTF-8 ctest --test-dir build --output-on-failure -j"$(nproc)" \
    >build/ctest-ru.log 2>&1 &
ru_pass=$!
status=0
wait "$c_pass" || status=1
wait "$ru_pass" || status=1
echo "=== C.UTF-8 ===" && cat build/ctest-c.log
echo "=== ru_RU.UTF-8 ===" && cat build/ctest-ru.log
[ "$status" -eq 0 ]

# The Debian packages of that build: Debian's checks, and the installed programs run from them.
bash tests/package/check-packages.sh build

# The Windows build: cross-built with mingw-w64 and run under Wine, the unit tests and the Win32
# serial device polling the simulator built above through Wine's COM1.
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DVANTOR_WERROR=ON \
    -DVANTOR_NATIVE_SIM="$PWD/build/tools/sim/vantor3-sim"
cmake --build build-win -j"$(nproc)" --target vantor_unit_tests vantor3-poll-once
ctest --test-dir build-win --output-on-failure

# The core and its tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build-asan -DVANTOR_WERROR=ON -DVANTOR_SANITIZE=ON -DVANTOR_GUI=OFF
cmake --build build-asan -j"$(nproc)" --target vantor_unit_tests vantor_integration_tests
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

# Every parser of line and file bytes under libFuzzer, 40 seconds per target, two at a time.
bash fuzz/run-fuzzers.sh build-fuzz 40
