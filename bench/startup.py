#!/usr/bin/python3
"""Start-up of the program against a bare Qt window, measured from outside.

Usage: bench/startup.py [-n RUNS] PROGRAM FLOOR

Under its own Xvfb, starts PROGRAM (window title "Quotalis") and FLOOR
(window title "Floor") in turns, A B B A ..., and for each run takes the
time from exec to the X server mapping the window, and the peak resident
memory (VmHWM) half a second later. Prints the medians and the median of
the per-pair ratios; the ratios are what to quote, as shared machines are
noisy. Needs Xvfb and python3-xlib.
"""
import argparse
import os
import select
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display


def start_xvfb():
    """Starts Xvfb on a display it picks itself; returns it and the display's name."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(write), '-screen', '0', '1280x1024x24',
                             '-nolisten', 'tcp'], pass_fds=(write,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    number = b''
    deadline = time.monotonic() + 10
    while not number.endswith(b'\n') and time.monotonic() < deadline:
        if not select.select([read], [], [], 0.1)[0]:
            continue
        chunk = os.read(read, 16)
        if not chunk:
            break  # Xvfb ended without a display
        number += chunk
    os.close(read)
    if not number.strip().isdigit():
        xvfb.kill()
        xvfb.wait()
        sys.exit('startup.py: Xvfb did not start')
    return xvfb, f':{number.strip().decode()}'


def title_of(dpy, window):
    for atom in ('_NET_WM_NAME', 'WM_NAME'):
        try:
            prop = window.get_full_property(dpy.intern_atom(atom), X.AnyPropertyType)
        except Exception:  # the window may be gone already
            return None
        if prop and prop.value:
            value = prop.value
            return value.decode('utf-8', 'replace') if isinstance(value, bytes) else str(value)
    return None


def peak_memory_mib(pid):
    with open(f'/proc/{pid}/status') as status:
        for line in status:
            if line.startswith('VmHWM:'):
                return int(line.split()[1]) / 1024
    return float('nan')


def measure(dpy, command, title, env):
    """Milliseconds from exec to the window's map, and peak MiB."""
    root = dpy.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    dpy.sync()
    while dpy.pending_events():
        dpy.next_event()
    with tempfile.TemporaryDirectory() as home:
        os.chmod(home, 0o700)
        run_env = dict(env, HOME=home, XDG_RUNTIME_DIR=home)
        start = time.monotonic()
        proc = subprocess.Popen(command, env=run_env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        mapped = None
        deadline = start + 20
        while mapped is None and time.monotonic() < deadline:
            if not dpy.pending_events():
                select.select([dpy.fileno()], [], [], 0.05)
                continue
            event = dpy.next_event()
            if event.type == X.MapNotify and title_of(dpy, event.window) == title:
                mapped = (time.monotonic() - start) * 1000
        time.sleep(0.5)
        memory = peak_memory_mib(proc.pid)
        proc.terminate()
        try:
            proc.wait(3)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
    if mapped is None:
        sys.exit(f'startup.py: {command[0]} showed no window titled {title!r}')
    return mapped, memory


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('-n', '--runs', type=int, default=20)
    parser.add_argument('program')
    parser.add_argument('floor')
    args = parser.parse_args()

    xvfb, name = start_xvfb()
    try:
        env = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM='xcb')
        dpy = display.Display(name)
        subjects = {'A': ([args.program], 'Quotalis'), 'B': ([args.floor], 'Floor')}
        for key in 'AB':  # warm the caches once each
            measure(dpy, *subjects[key], env)
        results = {'A': [], 'B': []}
        order = 'ABBA' * ((args.runs + 1) // 2)
        for key in order[:2 * args.runs]:
            results[key].append(measure(dpy, *subjects[key], env))
    finally:
        xvfb.terminate()
        xvfb.wait()

    def med(key, i):
        return statistics.median(r[i] for r in results[key])

    print(f'{"":24}{"map ms":>10}{"peak MiB":>10}')
    print(f'{"A " + os.path.basename(args.program):24}{med("A", 0):10.1f}{med("A", 1):10.1f}')
    print(f'{"B " + os.path.basename(args.floor):24}{med("B", 0):10.1f}{med("B", 1):10.1f}')
    ratios = [(a[0] / b[0], a[1] / b[1]) for a, b in zip(results['A'], results['B'])]
    print(f'{"ratio A/B (median)":24}{statistics.median(r[0] for r in ratios):10.2f}'
          f'{statistics.median(r[1] for r in ratios):10.2f}')


if __name__ == '__main__':
    main()
