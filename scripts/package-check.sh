#!/usr/bin/env bash
# Checks the desktop integration and the Debian package: builds the program in
# build-package/, installs it into a temporary prefix and checks the program, the
# desktop entry and the icon; builds the package with cpack, installs it into the
# system with dpkg, starts the installed program on the headless platform and makes
# sure it is still running after three seconds, then removes the package again.
# It changes the system's installed packages, so it is meant for a throw-away
# machine and runs as root (or through sudo).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

sudo_cmd=""
if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi

build=build-package
prefix="$(mktemp -d)"
log="$(mktemp)"
app=""
installed=""
cleanup() {
  if [ -n "$app" ] && kill -0 "$app" 2>/dev/null; then
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
  fi
  if [ -n "$installed" ]; then $sudo_cmd dpkg -r srx8t-settings >/dev/null || true; fi
  rm -rf "$prefix" "$log"
}
trap cleanup EXIT

fail() {
  echo "package check FAILED: $*" >&2
  exit 1
}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSRX_BUILD_TESTS=OFF -DSRX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target srx8t-settings

# The install rules, into a private prefix.
cmake --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/srx8t-settings" ] || fail "bin/srx8t-settings is not installed or not executable"
desktop="$prefix/share/applications/srx8t-settings.desktop"
icon="$prefix/share/icons/hicolor/32x32/apps/srx8t-settings.png"
[ -f "$desktop" ] || fail "share/applications/srx8t-settings.desktop is not installed"
[ -f "$icon" ] || fail "the icon is not installed under share/icons/hicolor/32x32/apps"
file -b "$icon" | grep -q "PNG image data, 32 x 32" || fail "the icon is not a 32 x 32 PNG: $(file -b "$icon")"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
for key in "Name=SRX-8T Settings" "Exec=srx8t-settings" "Icon=srx8t-settings" "Type=Application" \
  "Categories=Settings;HardwareSettings;"; do
  grep -qxF "$key" "$desktop" || fail "the desktop entry lacks the line $key"
done
echo "install rules: program, desktop entry and icon in place"

# The Debian package.
rm -f "$build"/srx8t-settings_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/srx8t-settings_*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "package: $(basename "$deb"); Depends: $depends"
case "$depends" in
  *libqt6widgets6*) ;;
  *) fail "the package does not depend on the Qt widgets library: dpkg-shlibdeps did not run" ;;
esac
contents="$(dpkg-deb -c "$deb")"
for path in ./usr/bin/srx8t-settings ./usr/share/applications/srx8t-settings.desktop \
  ./usr/share/icons/hicolor/32x32/apps/srx8t-settings.png; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done

# Installed into the system, started, and removed again.
installed=yes
if ! $sudo_cmd dpkg -i "$deb"; then
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get -f install -y -qq
fi
dpkg-query -W -f='${Status}' srx8t-settings | grep -q "install ok installed" || fail "dpkg did not install the package"
[ -x /usr/bin/srx8t-settings ] || fail "/usr/bin/srx8t-settings is missing after installing the package"

QT_QPA_PLATFORM=offscreen /usr/bin/srx8t-settings >"$log" 2>&1 &
app=$!
sleep 3
if ! kill -0 "$app" 2>/dev/null; then
  wait "$app" && status=0 || status=$?
  app=""
  cat "$log" >&2
  fail "the installed program ended within three seconds (exit status $status)"
fi
kill "$app"
wait "$app" 2>/dev/null || true
app=""
echo "installed program: still running after three seconds"

$sudo_cmd dpkg -r srx8t-settings >/dev/null
installed=""
[ ! -e /usr/bin/srx8t-settings ] || fail "/usr/bin/srx8t-settings is still there after removing the package"
echo "package check passed"
