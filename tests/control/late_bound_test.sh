#!/usr/bin/env bash
# late_bound_test.sh DLL SCRIPT: registers the control library with regsvr32,
# runs a script client against it, checks what it printed, unregisters.
set -u
dll=$(winepath -w "$1")
script=$(winepath -w "$2")
saved="C:\\windows\\temp\\qel-late-bound.bmp"
wine regsvr32 /s "$dll" || { echo "regsvr32 failed"; exit 1; }
output=$(wine cscript //nologo "$script" "$saved" 2>&1 | tr -d '\r')
wine regsvr32 /s /u "$dll"
expected="Skin 1 Active False Allows False
Limits 3000 9000 2000 8000
Flags False False False True False
Skin 3
Skin 5
Active False
Picture True
Saved True
Interval 100"
if [ "$output" != "$expected" ]; then
    echo "The script printed:"; echo "$output"
    echo "Expected:"; echo "$expected"
    exit 1
fi
echo "The script client used every member late-bound."
