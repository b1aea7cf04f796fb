#!/usr/bin/env bash
# A product of our own, not the demo, made into a signed release installer
# by scripts/make-installer and installed and removed as a user does, under
# Wine (inside wine-session):
#   product-scenario.sh PREFIX RELEASE_TREE DRIVER_DIR WORK_DIR
# RELEASE_TREE is the optimised build the installer is made from
# (build/release). A throwaway self-signed certificate signs it. The
# installer must carry no debugging sections and a signature that
# osslsigncode accepts; the product's files must land where its manifest
# says (under WoW64 in the 32-bit places), byte for byte, its main program
# and uninstaller signed; its registry values and uninstall entry must be
# there; and its uninstaller must leave the prefix as it found it. Its files
# go to WORK_DIR/RUN, RUN being the way of running (WINE_RUN).
set -uo pipefail
prefix=$1 release=$2 drivers=$3 work=$4/$WINE_RUN
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
rm -rf "$work"
mkdir -p "$work"

readonly title="Orvalis 48-bit Image Editor Installation"
readonly directory_title="Select Installation Directory"
readonly launch_box="Start Orvalis 48-bit Image Editor now"
readonly company=Fernwick product="Chart Studio"
readonly display_name="$company $product"
readonly product_key="HKCU\\Software\\$company"
readonly uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$display_name"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

[ -f "$release/build.ninja" ] || { echo "product-scenario: no release build in $release (scripts/build-all makes it)"; exit 1; }
. "$here/../wine/wine-env.sh" "$prefix"
. "$here/run-layout.sh"
prefix=$WINEPREFIX
run_layout

product_dir="$prefix/drive_c/$program_files/$company/$product"
installed_folder="C:\\$program_files\\$company\\$product"
system_file="$prefix/drive_c/windows/$system_folder/FernwickFonts.txt"
start_menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
local_data() { find "$prefix/drive_c/users" -maxdepth 4 -path '*/AppData/Local' ! -path '*/Public/*' | head -n 1; }

remove_product() {
  rm -rf "$prefix/drive_c/Program Files/$company" "$prefix/drive_c/Program Files (x86)/$company" \
    "$prefix/drive_c/windows/system32/FernwickFonts.txt" "$prefix/drive_c/windows/syswow64/FernwickFonts.txt" \
    "$(local_data)/$company" "$start_menu/$company" "$start_menu/$product.lnk" \
    "$prefix/drive_c/users/Public/Desktop/$product.lnk" "$prefix/drive_c/ProgramData/$company"
  local key v
  for key in "$product_key" "$uninstall_key"; do
    for v in /reg:32 /reg:64; do
      "$WINELOADER" reg delete "$key" /f "$v" >/dev/null 2>&1
    done
  done
}

# Everything the product may touch, to compare before and after.
listing() {
  (cd "$prefix/drive_c" && find "Program Files" "Program Files (x86)" "ProgramData" "users" -path '*/Temp' -prune \
    -o -print 2>/dev/null | sort)
  ls "$prefix/drive_c/windows/$system_folder" | grep -i fernwick
  installer_reg query "$product_key" /s 2>/dev/null | tr -d '\r'
  installer_reg query "$uninstall_key" 2>/dev/null | tr -d '\r'
}

drive() {
  out=$("$here/../wine/wine-run" "$prefix" "$drivers/ui_driver.exe" 2>&1)
  local status=$?
  printf '%s:\n%s\n' "$1" "$out"
  [ "$status" = 0 ] || fail "$1: the driver ended with status $status"
}

# The product as its maker has it: the fixture's files, the release build's
# banner, and a program of ours as its main program.
make_product() {
  cp -r "$here/product" "$work/product"
  cp "$release/pgr/payload/demo-payload/banner.jpg" "$work/product/banner.jpg"
  cp "$release/tools/demo-program/Orvalis.exe" "$work/product/ChartStudio.exe"
}

# A throwaway code-signing key and certificate, as PKCS#12 with a password.
make_certificate() {
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Fernwick test signing" \
    -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1 &&
    echo "throwaway" >"$work/password" &&
    openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout file:"$work/password" \
      -out "$work/key.p12" >/dev/null 2>&1 || fail "could not make a certificate"
}

signed() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >/dev/null 2>&1; }

make_installer() {
  "$root/scripts/make-installer" --tree "$release" --sign "$work/key.p12" --password-file "$work/password" \
    "$work/product/product.json" -o "$work/ChartStudioSetup.exe" || fail "make-installer failed"
  signed "$work/ChartStudioSetup.exe" || fail "osslsigncode does not accept the installer's signature"
  local sections
  sections=$(i686-w64-mingw32-objdump -h "$work/ChartStudioSetup.exe" | awk '$2 ~ /debug/ {print $2}')
  [ -z "$sections" ] || fail "the release installer carries debugging sections: $sections"
}

install_product() {
  printf '%s\n' "start Z:$work/ChartStudioSetup.exe" "wait-window \"$title\" 30000" 'click Continue' \
    "wait-window \"$directory_title\" 20000" 'click Continue' 'set-timeout 60000' 'wait-button Finish 120000' \
    "set-check \"$launch_box\" off" 'click Finish' 'wait-exit 20000' 'expect 0' | drive "install"
}

expect_installed() {
  local row file source
  for row in "$product_dir/readme.txt|readme.txt" "$product_dir/Docs/Guides/guide.txt|docs/guide.txt" \
    "$product_dir/Docs/shapes.txt|docs/shapes.txt" "$system_file|chartfonts.txt" \
    "$(local_data)/$company/settings.ini|defaults.ini"; do
    IFS='|' read -r file source <<<"$row"
    cmp -s "$file" "$work/product/$source" || fail "$file is not $source byte for byte"
  done
  for file in ChartStudio.exe Uninstall.exe; do
    signed "$product_dir/$file" || fail "the installed $file is not signed"
  done
  # Signing adds to the program, and nothing else differs.
  osslsigncode remove-signature -in "$product_dir/ChartStudio.exe" -out "$work/unsigned.exe" >/dev/null 2>&1
  cmp -s "$work/unsigned.exe" "$work/product/ChartStudio.exe" || fail "the installed main program is not the product's"
  expect_registry_values "install" "$product_key\\$product|Units|REG_SZ cm" \
    "$product_key\\$product|Grid|REG_DWORD 0xa" "$product_key\\$product|InstallationFolder|REG_SZ $installed_folder" \
    "$uninstall_key|DisplayName|REG_SZ $display_name" \
    "$uninstall_key|DisplayIcon|REG_SZ \"$installed_folder\\ChartStudio.exe\"" \
    "$uninstall_key|UninstallString|REG_SZ \"$installed_folder\\Uninstall.exe\""
  [ -f "$start_menu/$company/$product/$product.lnk" ] || fail "no shortcut in the Start menu"
  if [ "$WINE_RUN" = wow64 ]; then
    [ ! -e "$prefix/drive_c/Program Files/$company" ] || fail "the product is in the 64-bit Program Files"
    [ ! -e "$prefix/drive_c/windows/system32/FernwickFonts.txt" ] || fail "the system file is in system32"
    ! "$WINELOADER" reg query "$uninstall_key" /reg:64 >/dev/null 2>&1 ||
      fail "the 64-bit list of uninstall entries holds the product"
  fi
}

uninstall_product() {
  local command
  command=$(registry_value "$uninstall_key" UninstallString)
  command=${command#REG_SZ \"}
  printf '%s\n' "start \"${command%\"}\"" 'wait-exit 20000' 'expect 0' 'set-timeout 30000' \
    "click Yes in \"$display_name Uninstall\"" "message-box \"$display_name Uninstall\"" \
    "expect \"$display_name has been removed from this computer.\"" 'answer OK' | drive "uninstall"
  # The uninstaller's private copy ends on its own, a moment later.
  local waited=0
  while [ "$waited" -lt 300 ] && find "$prefix/drive_c/users" -maxdepth 5 -name 'Orvalis-*' | grep -q .; do
    sleep 0.1
    waited=$((waited + 1))
  done
}

remove_product
trap remove_product EXIT
listing >"$work/before.txt"
make_product
make_certificate
make_installer
install_product
expect_installed
uninstall_product
listing >"$work/after.txt"
diff -u "$work/before.txt" "$work/after.txt" >"$work/listing.diff" ||
  fail "the uninstaller left the prefix changed:"$'\n'"$(cat "$work/listing.diff")"

if [ "$failures" -gt 0 ]; then
  echo "product-scenario: $failures failed"
  exit 1
fi
echo "product-scenario: passed"
