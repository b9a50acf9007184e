#!/usr/bin/env bash
# The Windows architecture decision (scripts/win-arch), the Wine environment it leads to
# (scripts/wine-env) and the PE architecture probe (scripts/pe-arch), with stand-in loaders.
set -uo pipefail
scripts="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
passed=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else echo "FAIL $1: expected '$2', got '$3'"; failures=$((failures + 1)); fi
}

# A loader the kernel cannot run (as on a kernel without 32-bit support), one that answers.
printf '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0' > "$tmp/broken-loader"
chmod +x "$tmp/broken-loader"
printf '#!/bin/sh\necho wine-8.0\n' > "$tmp/good-loader"
chmod +x "$tmp/good-loader"

unset LUMETTA_WIN_ARCH LUMETTA_WIN_ARCH_DECIDED
check "loader fails" win64 "$(LUMETTA_WINE32_LOADER="$tmp/broken-loader" "$scripts/win-arch")"
check "loader missing" win64 "$(LUMETTA_WINE32_LOADER="$tmp/none" "$scripts/win-arch")"
check "loader starts" win32 "$(LUMETTA_WINE32_LOADER="$tmp/good-loader" "$scripts/win-arch")"
check "forced win64" win64 "$(LUMETTA_WIN_ARCH=win64 LUMETTA_WINE32_LOADER="$tmp/good-loader" "$scripts/win-arch")"
check "forced win32" win32 "$(LUMETTA_WIN_ARCH=win32 LUMETTA_WINE32_LOADER="$tmp/broken-loader" "$scripts/win-arch")"
LUMETTA_WIN_ARCH=win16 "$scripts/win-arch" >/dev/null 2>&1
check "unknown architecture refused" 2 "$?"

# What the decision leads to: the 64-bit Wine called directly, with a prefix of its own.
env64=$(LUMETTA_WINE32_LOADER="$tmp/broken-loader" bash -c ". '$scripts/wine-env'; echo \"\$LUMETTA_WIN_ARCH \$(basename \$LUMETTA_WINE) \$(basename \$WINEPREFIX) \$WINEARCH \$(basename \$LUMETTA_BUILD)\"")
check "win64 environment" "win64 wine64 wineprefix64 win64 win64" "$env64"
env32=$(WINEARCH=win64 LUMETTA_WINE32_LOADER="$tmp/good-loader" bash -c ". '$scripts/wine-env'; echo \"\$LUMETTA_WIN_ARCH \$LUMETTA_WINE \$(basename \$WINEPREFIX) \${WINEARCH:-unset} \$(basename \$LUMETTA_BUILD)\"")
check "win32 environment" "win32 wine wineprefix unset win32" "$env32"
# Decided once: a later source in the same run keeps the first answer.
again=$(LUMETTA_WINE32_LOADER="$tmp/broken-loader" bash -c ". '$scripts/wine-env'; LUMETTA_WINE32_LOADER='$tmp/good-loader'; . '$scripts/wine-env'; echo \$LUMETTA_WIN_ARCH")
check "decided once per run" win64 "$again"

# pe-arch reads the machine field of a PE header; anything else prints nothing.
pe() {  # pe FILE MACHINE_BYTES: a minimal MZ/PE header
  { printf 'MZ'; head -c 58 /dev/zero; printf '\x40\0\0\0'; printf 'PE\0\0'; printf "$2"; head -c 64 /dev/zero; } > "$1"
}
pe "$tmp/a64.exe" '\x64\x86'
pe "$tmp/a32.exe" '\x4c\x01'
pe "$tmp/arm.exe" '\x64\xaa'
echo "not a program" > "$tmp/text.exe"
check "64-bit program" win64 "$("$scripts/pe-arch" "$tmp/a64.exe")"
check "32-bit program" win32 "$("$scripts/pe-arch" "$tmp/a32.exe")"
check "other machine" "" "$("$scripts/pe-arch" "$tmp/arm.exe")"
check "not a program" "" "$("$scripts/pe-arch" "$tmp/text.exe")"
check "no file" "" "$("$scripts/pe-arch" "$tmp/none.exe")"

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
