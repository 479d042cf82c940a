#!/usr/bin/env bash
# Fails unless the DLL exports exactly VSTPluginMain and main and imports nothing but Windows' own DLLs, so
# that it loads on a machine with no run-time libraries installed beside the host.
set -euo pipefail
objdump=$1
dll=$2
dump=$("$objdump" -p "$dll")
exports=$(awk '/\[Ordinal\/Name Pointer\] Table/{table=1; next} table && /^[ \t]*\[/{print $NF; next} table{table=0}' \
  <<<"$dump" | sort | tr '\n' ' ')
if [ "$exports" != "VSTPluginMain main " ]; then
  echo "unexpected exports: $exports" >&2
  exit 1
fi
system='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|WINMM|msvcrt|ole32|COMCTL32|SHLWAPI|WindowsCodecs)\.dll$'
status=0
while read -r name; do
  if ! grep -qiE "$system" <<<"$name"; then
    echo "imports a DLL that is not part of Windows: $name" >&2
    status=1
  fi
done < <(awk '/DLL Name:/{print $3}' <<<"$dump")
exit $status
