"""The Windows build's serial device against the simulator, under Wine.

For each sample configuration: the simulator runs natively on a pseudo-terminal, Wine's COM1 is
linked to it, and the Windows console program polls one cycle through the Win32 serial device.
Passes when the program's log row holds the codes the simulator served, and the line settings
the program says it applied are the ones the simulator saw on its terminal (as far as a
pseudo-terminal keeps them: not the parity).

    wine_serial_test.py --sim PATH --poll-once PATH.exe --samples DIR --prefix WINEPREFIX
"""
import argparse
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

# The settings texts of the program name parity in Russian; the simulator by letter.
PARITY_LETTERS = {"НЕТ": "N", "НЕЧЕТ": "O", "ЧЕТ": "E", "МАРК": "M", "ПРОБЕЛ": "S"}


def wait_for_line(process, prefix, timeout_s):
    deadline = time.monotonic() + timeout_s
    while time.monotonic() < deadline:
        line = process.stdout.readline()
        if line.startswith(prefix):
            return line
        if not line and process.poll() is not None:
            break
    raise RuntimeError(f"the simulator did not print {prefix!r}")


def served_codes(record_path):
    """Every code the simulator served, by lower-case quantity key."""
    codes = {}
    for line in pathlib.Path(record_path).read_text().splitlines():
        for field in line.split()[1:]:
            key, code = field.split("=")
            codes.setdefault(key.lower(), set()).add(int(code))
    return codes


def line_settings(trace):
    return [line.split()[2] for line in trace.splitlines() if " line " in line]


def wine_environment(prefix):
    return dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")


def map_com1(prefix, device):
    """Wine's COM1 becomes `device`. Wine makes its dosdevices links anew from the registry at
    each start, so the mapping goes there; it is read when the server next starts."""
    env = wine_environment(prefix)
    subprocess.run(["wine", "reg", "add", r"HKLM\Software\Wine\Ports", "/v", "COM1",
                    "/t", "REG_SZ", "/d", device, "/f"],
                   env=env, check=True, capture_output=True, timeout=120)
    subprocess.run(["wineserver", "-w"], env=env, capture_output=True, timeout=120)


def visible_on_pty(settings):
    rate, _, data, stop = settings.split(",")
    return rate, data, stop


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def check_sample(args, sample, work):
    home = work / sample.stem
    (home / "logs").mkdir(parents=True)
    record = home / "served.txt"
    sim = subprocess.Popen(
        [args.sim, "--config", str(sample), "--trace", "--record", str(record)],
        env=dict(os.environ, HOME=str(home)), stdout=subprocess.PIPE, text=True)
    try:
        map_com1(args.prefix, wait_for_line(sim, "ready ", 10).split()[2])
        run = subprocess.run(
            ["wine", args.poll_once, windows_path(sample), "COM1", windows_path(home / "logs")],
            env=wine_environment(args.prefix), capture_output=True, timeout=120)
    finally:
        time.sleep(0.2)
        sim.terminate()
        trace, _ = sim.communicate(timeout=10)
    out = run.stdout.decode("utf-8", "replace")
    if run.returncode != 0:
        return [f"{sample.name}: the program failed ({run.returncode}): "
                f"{out}{run.stderr.decode('utf-8', 'replace')}"]
    lines = out.splitlines()
    problems = []
    rate, parity, data, stop = lines[0].split()[1].split(",")
    applied = ",".join([rate, PARITY_LETTERS.get(parity, parity), data, stop])
    seen = line_settings(trace)
    # A pseudo-terminal keeps the rate, the data bits and the stop bits but drops the parity.
    if not seen or visible_on_pty(seen[-1]) != visible_on_pty(applied):
        problems.append(f"{sample.name}: settings {applied} applied, the terminal had {seen}")
    header, row = lines[1].split("\t"), lines[2].split("\t")
    codes = served_codes(record)
    checked = 0
    for name, value in zip(header[1:], row[1:]):
        if not name.strip():
            continue
        checked += 1
        if int(value) not in codes.get(name.strip().lower(), set()):
            problems.append(f"{sample.name}: {name} = {value} was never served")
    if checked == 0:
        problems.append(f"{sample.name}: the row holds no values: {lines}")
    print(f"{sample.name}: {checked} values as served, line {applied}")
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--sim", required=True)
    parser.add_argument("--poll-once", required=True)
    parser.add_argument("--samples", required=True)
    parser.add_argument("--prefix", required=True)
    args = parser.parse_args()
    work = pathlib.Path(tempfile.mkdtemp(prefix="vantor-wine-"))
    try:
        problems = []
        for name in ("demo.dat", "demo-iec.dat"):
            problems += check_sample(args, pathlib.Path(args.samples) / name, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
