# Shared by ./run and ./test: install what a fresh Debian 12 machine lacks, then configure
# and build. Source it; it defines functions only.

KELVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Packages the build, the tests and the sample run need (Qt Charts needs the OpenGL module's
# development files, which its package does not pull in).
KELVANE_BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev libfluidsynth-dev qt6-charts-dev
    libqt6opengl6-dev qt6-svg-dev)
# The tests' SoundFont is the small General MIDI one; ./run installs the better one for users.
KELVANE_TEST_PACKAGES=(clang libclang-rt-14-dev python3-mido openttd-openmsx poppler-utils
    appstream desktop-file-utils dpkg-dev file timgm6mb-soundfont)
KELVANE_RUN_PACKAGES=(python3 fluid-soundfont-gm)

# Each step is printed with the seconds since the script started.
log() { printf '\n==> %s (at %d s)\n' "$*" "$SECONDS" >&2; }

# Installs the named Debian packages that are missing (apt-get update once).
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "missing packages (${missing[*]}) and not root: install them first" >&2
            return 1
        fi
    fi
    if [ -z "${KELVANE_APT_UPDATED:-}" ]; then
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
        export KELVANE_APT_UPDATED=1
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

jobs() { nproc 2>/dev/null || echo 2; }

# configure_and_build BUILD_DIR [cmake options...]
# Uses ccache when it is installed, so that rebuilds in several build folders share objects.
configure_and_build() {
    local dir=$1
    shift
    local launcher=()
    if command -v ccache >/dev/null 2>&1; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$KELVANE_ROOT" -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
    cmake --build "$dir" -j "$(jobs)"
}

# subfolders_config BUILD_DIR: writes BUILD_DIR/kelvane-subfolders.CFG, the supplied program
# configuration file plus INCLUDE_SUBFOLDERS = 1, and prints its path. `kelvane -c FILE -p FOLDER`
# then reads FOLDER with its subfolders whatever the settings say.
subfolders_config() {
    local file="$1/kelvane-subfolders.CFG"
    { cat "$KELVANE_ROOT/data/kelvane.CFG"; printf '\nINCLUDE_SUBFOLDERS = 1\n'; } >"$file"
    printf '%s\n' "$file"
}
