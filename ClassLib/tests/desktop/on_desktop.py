#!/usr/bin/env python3
"""Runs a command on a virtual X server of its own, under a window manager.

    on_desktop.py --wm openbox|icewm -- COMMAND ARGS...

Starts Xvfb (it names its display through -displayfd), then the window manager in a
folder of its own, waits until the manager has announced itself and what it supports on
the root window (_NET_SUPPORTING_WM_CHECK, _NET_SUPPORTED, read with `xprop -spy`, so no fixed
sleep), runs the command
with DISPLAY set and the xcb platform, and stops both. Exits with the command's code.
"""
import argparse
import os
import select
import subprocess
import sys
import tempfile
import time

# Seconds the X server and the window manager get to start: a whole suite running beside
# them (sanitizer builds on every core) once kept a manager from announcing itself in 20.
START_WAIT = 60

WINDOW_MANAGERS = {"openbox": ["openbox", "--sm-disable"], "icewm": ["icewm"]}


def fail(what):
    print("on_desktop: " + what, file=sys.stderr)
    sys.exit(2)


def start_server(size):
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", size + "x24",
                             "-nolisten", "tcp", "-noreset"],
                            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    number = b""
    deadline = time.monotonic() + START_WAIT
    while not number.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([read_fd], [], [], left)[0]:
            break
        chunk = os.read(read_fd, 16)
        if not chunk:
            break
        number += chunk
    os.close(read_fd)
    if not number.strip().isdigit():
        xvfb.kill()
        fail("the X server did not start")
    return xvfb, ":" + number.decode().strip()


def wait_for_manager(env, manager):
    # A manager may name itself (_NET_SUPPORTING_WM_CHECK) before it publishes what it
    # supports (_NET_SUPPORTED), which the toolkit reads once when it connects: it asks
    # a manager for activation only when the list names _NET_ACTIVE_WINDOW.
    # xprop prints the root window's properties now and each one again when it changes
    # (line-buffered into the pipe); the atom may not exist before the manager makes it.
    spy = subprocess.Popen(["stdbuf", "-oL", "xprop", "-root", "-spy"], env=env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    deadline = time.monotonic() + START_WAIT
    seen = set()
    try:
        while time.monotonic() < deadline:
            if manager.poll() is not None:
                fail("the window manager ended at start")
            if not select.select([spy.stdout], [], [], deadline - time.monotonic())[0]:
                break
            line = spy.stdout.readline()
            if not line:
                break
            if line.startswith("_NET_SUPPORTING_WM_CHECK") and "window id" in line:
                seen.add("check")
            elif line.startswith("_NET_SUPPORTED("):
                seen.add("supported")
            if len(seen) == 2:
                return
    finally:
        spy.kill()
        spy.wait()
    fail("the window manager did not announce itself")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wm", choices=sorted(WINDOW_MANAGERS), default="openbox")
    parser.add_argument("--size", default="1600x1000")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        fail("no command")
    with tempfile.TemporaryDirectory(prefix="desktop-") as home:
        xvfb, display = start_server(args.size)
        procs = [xvfb]
        try:
            env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
            env.pop("WAYLAND_DISPLAY", None)
            if args.wm == "icewm":
                # No task bar: the work area is the screen under either manager.
                os.makedirs(os.path.join(home, ".icewm"))
                with open(os.path.join(home, ".icewm", "preferences"), "w") as f:
                    f.write("ShowTaskBar=0\n")
            manager = subprocess.Popen(WINDOW_MANAGERS[args.wm], env=dict(env, HOME=home), cwd=home,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            procs.append(manager)
            wait_for_manager(env, manager)
            return subprocess.call(command, env=env)
        finally:
            for p in reversed(procs):
                p.terminate()
            for p in reversed(procs):
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()


if __name__ == "__main__":
    sys.exit(main())
