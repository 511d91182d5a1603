# Sourced by run.sh and test.sh: installs the Debian packages the build and the
# tests need, and only when something is missing.

JINGYING_PACKAGES=(
  cmake g++ make libgtest-dev python3
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386 xvfb xauth locales x11-apps imagemagick fonts-wqy-microhei
)

missing_packages() {
  local package
  for package in "${JINGYING_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' \
      || printf '%s\n' "$package"
  done
}

ensure_packages() {
  local missing
  missing=$(missing_packages)
  if [ -n "$missing" ]; then
    echo "Installing:" $missing
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
  fi
  # Wine needs the Chinese UTF-8 locale to run with code page 936 and still take
  # non-ASCII arguments intact.
  if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
  fi
}
