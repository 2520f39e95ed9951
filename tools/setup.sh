# Shared by ./test and ./run: installs what a fresh Debian 12 machine lacks, then builds.
# TQ_BUILD_DIR (default build) and TQ_CMAKE_ARGS choose the build folder and extra CMake options.
PACKAGES=(cmake g++ make qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev qttools5-dev qttools5-dev-tools
          libqt5svg5 fonts-wqy-microhei fonts-liberation2 xvfb xauth python3 qttranslations5-l10n
          dbus at-spi2-core python3-pyatspi x11-utils  # the accessibility test
          dpkg-dev file lintian desktop-file-utils appstream  # the package and its checks
          ser2net openssl  # units in other shops: a serial device server, test certificates
          libavahi-client-dev avahi-daemon avahi-utils iproute2 util-linux)  # units that announce themselves

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # avahi-daemon is wanted for its program only (the tests run their own in a private network
    # namespace): it must not start announcing this machine on its network as it is installed.
    quiet_services=""
    if [[ " ${missing[*]} " == *" avahi-daemon "* ]] && [ ! -e /usr/sbin/policy-rc.d ]; then
      printf '#!/bin/sh\nexit 101\n' > /usr/sbin/policy-rc.d && chmod +x /usr/sbin/policy-rc.d && quiet_services=1
    fi
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
    if [ -n "$quiet_services" ]; then rm -f /usr/sbin/policy-rc.d; fi
  else
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
fi

TQ_BUILD_DIR=${TQ_BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -S . -B "$TQ_BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${TQ_CMAKE_ARGS:-}
cmake --build "$TQ_BUILD_DIR" -j "$(nproc)"
