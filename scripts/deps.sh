# Debian packages the build and the tests need; sourced by ./run and ./test.
AMPERA_PACKAGES=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libqt6opengl6-dev qt6-image-formats-plugins qt6-multimedia-dev libgl-dev libglx-dev libegl-dev
    fonts-wqy-microhei xvfb xauth
    nlohmann-json3-dev clang libclang-rt-14-dev
    libsuitesparse-dev
    desktop-file-utils appstream shared-mime-info dpkg-dev
    qt6-translations-l10n
)

ensure_packages() {
    local missing=()
    for p in "${AMPERA_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}
