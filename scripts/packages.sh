# Shared by run.sh and test.sh: makes sure Debian 12's packages for building and testing are here.
# As root they are installed with apt-get; otherwise the exact apt-get line is printed.

KX_PACKAGES=(build-essential cmake ninja-build qt6-base-dev libqt6opengl6-dev libgtest-dev
             libgmock-dev libbenchmark-dev xvfb xauth fonts-dejavu-core)

kx_missing_packages() {
  local missing=()
  for package in "${KX_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  echo "${missing[@]}"
}

kx_ensure_packages() {
  local missing
  missing=$(kx_missing_packages)
  [ -z "$missing" ] && return 0
  local line="apt-get install -y --no-install-recommends $missing"
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y --no-install-recommends $missing
  else
    echo "Kelvarix needs these Debian packages. Run as root:" >&2
    echo "  apt-get update && $line" >&2
    exit 1
  fi
}
