#!/usr/bin/env python3
"""Runs a documentation example and compares what it prints with the block that its
source ends with ("/* Prints:" ... "*/"), so the examples in docs/api.md stay true.
usage: scripts/run_example.py PROGRAM SOURCE"""
import pathlib, re, subprocess, sys

program, source = sys.argv[1], pathlib.Path(sys.argv[2])
m = re.search(r"/\* Prints:\n(.*?)\*/", source.read_text(), re.S)
if not m:
    sys.exit(f"{source}: no '/* Prints:' block")
run = subprocess.run([program], capture_output=True, text=True, timeout=60)
if run.returncode != 0 or run.stdout != m.group(1):
    sys.stdout.write(f"exit {run.returncode}\n--- expected\n{m.group(1)}--- printed\n{run.stdout}{run.stderr}")
    sys.exit(1)
