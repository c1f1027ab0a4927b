#!/bin/bash
# Installs a build into a temporary prefix and checks what a desktop needs from it: the
# programs, the user guide, the application entry and AppStream file (both validated),
# the icons and the manual page; then builds the Debian package and checks its contents.
# Usage: check_install.sh BUILD_DIR WORK_DIR
set -u
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
prefix="$work/prefix"
fail=0
problem() { echo "FAIL: $*"; fail=1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1; }

expected=(
  bin/zarim-cli
  bin/zarim-demo
  share/zarim/help/index.html
  share/applications/org.zarim.Zarim.desktop
  share/metainfo/org.zarim.Zarim.metainfo.xml
  share/icons/hicolor/scalable/apps/org.zarim.Zarim.svg
  share/icons/hicolor/48x48/apps/org.zarim.Zarim.png
  share/icons/hicolor/256x256/apps/org.zarim.Zarim.png
  share/man/man1/zarim.1
  share/man/man1/zarim-cli.1
  share/man/man1/zarim-demo.1
)
[ -f "$build/src/shell/zarim" ] && expected+=(bin/zarim)
for f in "${expected[@]}"; do
  [ -e "$prefix/$f" ] || problem "not installed: $f"
done

desktop-file-validate "$prefix/share/applications/org.zarim.Zarim.desktop" ||
  problem "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/org.zarim.Zarim.metainfo.xml" ||
  problem "appstreamcli validate"
# The installed programs run from the prefix (and find nothing of the build folder).
"$prefix/bin/zarim-cli" --help >/dev/null 2>&1 || problem "installed zarim-cli --help"
if [ -x "$prefix/bin/zarim" ]; then
  # Without a display: the version needs no window system.
  version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/zarim" --version 2>&1)
  grep -q "^ZARIM [0-9]" <<<"$version" || problem "zarim --version says: $version"
fi

# The Debian package carries the same files under /usr.
mkdir -p "$work/package"
(cd "$work/package" && cpack -G DEB --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; problem "cpack"; }
deb=$(ls "$work"/package/zarim_*.deb 2>/dev/null | head -n 1)
if [ -z "$deb" ]; then
  problem "no zarim_*.deb written"
else
  contents=$(dpkg-deb -c "$deb")
  for f in "${expected[@]}"; do
    grep -q "\./usr/$f\$" <<<"$contents" || problem "not in the package: /usr/$f"
  done
  depends=$(dpkg-deb -f "$deb" Depends)
  for d in libc6 fonts-liberation2 xdg-utils; do
    grep -q "$d" <<<"$depends" || problem "the package does not depend on $d ($depends)"
  done
fi
[ $fail -eq 0 ] && echo "installation and package complete"
exit $fail
