#!/bin/sh
# Installs the Debian packages the build and the tests need, when any is missing.
# As root it runs apt-get itself; otherwise it prints the command to run and fails.
# wine64-preloader: without it Wine's 64-bit loader is an ordinary program whose heap the kernel
# places at random within 1 GiB above it, and about one start in 5,000 puts that heap where Wine
# must map the shared user data (0x7ffe0000): the new process dies before its first instruction
# ("failed to map the shared user data", CreateProcess error 1359). The preloader reserves Wine's
# fixed ranges before anything else is mapped.
PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 \
wine wine64 wine64-preloader xvfb xauth googletest clang lld libclang-rt-14-dev python3 time osslsigncode openssl nlohmann-json3-dev \
fonts-wine python3-jsonschema msitools wixl faketime jq"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" != 0 ]; then
    echo "Missing packages:$missing" >&2
    echo "Run as root: apt-get update && apt-get install -y --no-install-recommends$missing" >&2
    exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q >/dev/null && apt-get install -y -q --no-install-recommends $missing >/dev/null
