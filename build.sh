#!/usr/bin/env bash
# Installs what is missing, builds, and then runs Framewright or its tests.
#   ./build.sh run [inputs...]   build and start the program
#   ./build.sh test              build and run every test, then again under the sanitizers
#                                (there without the long profile conversion run, which
#                                exercises ffmpeg far more than our code)
#   ./build.sh deb               build the Debian package build-deb/framewright_*.deb and
#                                check it with lintian
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libgl-dev
  ffmpeg libavformat-dev libavcodec-dev libavutil-dev
  gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly gstreamer1.0-libav
  fp-utils desktop-file-utils
  appstream # appstreamcli checks the metainfo
  systemd # systemd-analyze checks the watched folder's user service
  fonts-dejavu-core xvfb xauth
  libx11-dev # bench/startup watches for the first window itself
  dbus-daemon # tests run a message bus of their own, with stand-ins for the desktop's services
)

install_missing() {
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() { # folder, extra cmake options...
  local dir=$1
  shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)" ${targets[@]+--target "${targets[@]}"}
}
targets=()

case "${1:-}" in
  run)
    shift
    install_missing
    # What runs, and no test: the window and its console twin, the encoder front, the media
    # module, the profiles and the user guide.
    targets=(Framewright framewright-batch wmaspi fwmedia framewright_data)
    build build
    exec build/Framewright/Framewright "$@"
    ;;
  test)
    install_missing
    build build -DFW_WERROR=ON
    (cd build && ctest --output-on-failure -j "$(nproc)")
    build build-asan -DFW_WERROR=ON -DFW_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    # The fast unwinder records where each block was allocated at little cost; the stacks it
    # gives stop inside system libraries built without frame pointers, which lsan.supp allows.
    (cd build-asan && ASAN_OPTIONS=detect_leaks=1 \
      LSAN_OPTIONS=suppressions="$PWD/../tests/lsan.supp":print_suppressions=0 \
      UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
      ctest --output-on-failure -j "$(nproc)" -E tst_profiles_convert)
    ;;
  deb)
    packages+=(dpkg-dev lintian)
    install_missing
    build build-deb -DFW_PACKAGE=ON -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX=/usr -DFW_PROGRAM_INSTALL_DIR=libexec/framewright
    (cd build-deb && cpack -G DEB)
    lintian build-deb/framewright_*.deb
    ;;
  *)
    echo "usage: $0 run [inputs...] | test | deb" >&2
    exit 2
    ;;
esac
