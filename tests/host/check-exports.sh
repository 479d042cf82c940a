#!/usr/bin/env bash
# Fails unless the plug-in's dynamic symbol table defines exactly VSTPluginMain and main.
set -euo pipefail
symbols=$(nm -D --defined-only "$1" | awk '{print $3}' | sort | tr '\n' ' ')
if [ "$symbols" != "VSTPluginMain main " ]; then
  echo "unexpected exports: $symbols" >&2
  exit 1
fi
