# Shared by scripts/play and scripts/test: section headers and the one-time
# set-up of a Debian 12 machine. Sourced, not run.

section() {
  printf '\n==== %s ====\n' "$*"
}

fail() {
  printf '\n**** FAILED: %s ****\n' "$*" >&2
  exit 1
}

# Runs a command as root: directly when we are root, through sudo otherwise.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    fail "installing packages needs root or sudo: run as root or install sudo"
  fi
}

# Installs those of the given Debian packages that are not installed yet.
install_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  if [ "${#missing[@]}" -eq 0 ]; then
    echo "all needed packages are installed"
    return 0
  fi
  echo "installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update || fail "apt-get update"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}" \
    || fail "apt-get install ${missing[*]}"
}

# What building and running the game needs (the platform plugins let the
# window open on a desktop).
BUILD_PACKAGES=(cmake g++ make qt6-base-dev qt6-qpa-plugins libgl-dev)
# What the tests add: the test framework, clang with libFuzzer, and the
# checkers of the desktop entry and the saved-game type. The window tests run
# on Qt's offscreen platform and need no display.
TEST_PACKAGES=(libgtest-dev clang libclang-rt-14-dev desktop-file-utils shared-mime-info)

JOBS=2
