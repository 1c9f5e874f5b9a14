#!/bin/sh
# Runs a GoogleTest program with its arguments (a --gtest_filter) and fails
# unless it passes having run at least one test: this GoogleTest passes a
# filter that matches nothing, so a renamed test would go unnoticed.
output="$("$@")"
status=$?
printf '%s\n' "$output"
[ "$status" -eq 0 ] || exit "$status"
printf '%s\n' "$output" | grep -q '^\[  PASSED  \] [1-9]' || { echo "no test selected" >&2; exit 1; }
