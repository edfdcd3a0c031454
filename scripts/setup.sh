#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Arachnovix
# needs. Idempotent: installs only what is missing, and does nothing when all
# packages are present.
set -euo pipefail

PACKAGES=(
  # build
  build-essential binutils g++ clang clang-format cmake ninja-build pkg-config python3
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev
  # drawing: OpenGL (Mesa), GLU, freeglut
  libgl1-mesa-dev libglu1-mesa-dev freeglut3-dev libgl1-mesa-dri
  # fonts
  libfreetype-dev libfontconfig-dev fontconfig fonts-dejavu-core fonts-noto-mono fonts-liberation2
  # native dialogs and message boxes
  libgtk-3-dev
  # a window without a desktop, input and screenshots for the end-to-end tests
  xvfb xauth xdotool imagemagick x11-utils
  # a light window manager: the window's fit to a framed desktop and full screen
  openbox
  # the programs' allocator (per-thread caches for the evaluation threads)
  libjemalloc-dev
  # the Python module, its tests and example
  python3-dev pybind11-dev python3-numpy python3-pandas python3-matplotlib python3-pytest
  # the reference the tests check the sweep report's statistics against
  python3-scipy
  # validation of the desktop integration files
  libxml2-utils desktop-file-utils appstream shared-mime-info
  # sweeps: TOML designs, the statistics' distributions (Boost.Math), the
  # report's figures as PNG and PDF (librsvg and Cairo, loaded only by the
  # report), rendering SVGs in the tests, a private single-node Slurm for the
  # job-array test
  libtomlplusplus-dev libboost-dev librsvg2-dev libcairo2-dev librsvg2-bin slurmctld slurmd
  slurm-client munge
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#PACKAGES[@]} packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "setup: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
