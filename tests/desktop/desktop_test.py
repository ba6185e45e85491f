#!/usr/bin/python3
"""The real vantor3 on an X server (Xvfb) under a window manager (openbox), driven by mouse and
keyboard through the X server with xdotool, against the simulator on pseudo-terminals.

Every wait is bounded and ends on something observable: a window appears or goes, a frame
arrives at the simulator, a row reaches the log. Each test has its own X display (chosen by
Xvfb itself) and its own temporary home folder, so several runs can share a machine.

    VANTOR_BUILD_DIR=build VANTOR_SOURCE_DIR=. /usr/bin/python3 tests/desktop/desktop_test.py
"""

import json
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

BUILD = os.path.abspath(os.environ.get("VANTOR_BUILD_DIR", "build"))
SOURCE = os.path.abspath(os.environ.get("VANTOR_SOURCE_DIR", "."))
PROGRAM = os.path.join(BUILD, "src/app/vantor3")
SIMULATOR = os.path.join(BUILD, "tools/sim/vantor3-sim")
LAYOUT = os.path.join(BUILD, "tests/vantor3-layout")
MAKE_DAT = os.path.join(BUILD, "tests/vantor3-make-dat")
SHOTS = os.environ.get("VANTOR_DESKTOP_SHOTS")  # a folder for screenshots, when wanted

# The lists as the pages show them (sorted where their template sorts them).
PORTS = ["COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "НЕТ"]
PARITIES = ["ЧЕТ", "НЕЧЕТ", "НЕТ"]
BAUDS = ["1200", "2400", "4800", "9600", "14400", "19200", "38400", "76800"]
CURRENTS = ["0.5", "1.0", "2.5", "5.0"]

QT_DOUBLE_CLICK_INTERVAL = 0.5  # seconds, a little over Qt's default of 400 ms

FILE_TAB, PORT_TAB, MODBUS_TAB, IEC_TAB, NOMINAL_TAB = 1107, 1110, 1111, 1113, 1112
# The frequency field lies where no page covers it.
START, STOP, SAVE, PHYSICAL, FREQUENCY = 1094, 1095, 1097, 1114, 1053
GROUP_LIST, GROUP_POLL, SYNC_CLOCK, MEASURE_DELAY = 1127, 1132, 1130, 1138
GROUPS = ["Общий"] + [str(group) for group in range(1, 17)]


def wait_for(condition, what, timeout=20.0):
    """Polls `condition` until it gives something true; fails naming `what` after `timeout`."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.05)


def asdu_type(frame):
    """The type identification of a variable FT1.2 frame with a one-octet link address, in hex."""
    octets = frame.split()
    return octets[6] if len(octets) > 6 and octets[0] == "68" else None


def stop(process):
    if process is not None and process.poll() is None:
        process.terminate()
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


class Display:
    """A private X server with openbox on it."""

    def __init__(self, home):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wm = None
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 60
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0, deadline - time.monotonic()))
            if not ready:
                stop(self.xvfb)
                raise AssertionError("Xvfb gave no display number")
            chunk = os.read(read_end, 16)
            if not chunk:
                stop(self.xvfb)
                raise AssertionError("Xvfb ended before it gave a display number")
            number += chunk
        os.close(read_end)
        if not number.strip().isdigit():
            self.close()
            raise AssertionError("Xvfb gave no display number")
        self.env = dict(os.environ, DISPLAY=":" + number.decode().strip(), HOME=home)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.wm = subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            wait_for(lambda: "window id" in self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"),
                     "the window manager", timeout=60)
        except AssertionError:
            self.close()
            raise

    def run(self, *args):
        return subprocess.run(args, env=self.env, capture_output=True, text=True,
                              timeout=20).stdout

    def xdotool(self, *args):
        return self.run("xdotool", *[str(a) for a in args])

    def geometry(self, window):
        """(x, y, width, height) of a window's client area on the screen."""
        info = self.run("xwininfo", "-id", window)
        fields = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            fields[key] = value.strip()
        return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                int(fields["Width"]), int(fields["Height"]))

    def click(self, x, y, button=1):
        self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("click", button)

    def key(self, *keys):
        self.xdotool("key", "--delay", 30, *keys)

    def type(self, text):
        self.xdotool("type", "--delay", 20, text)

    def screenshot(self, name):
        if SHOTS:
            os.makedirs(SHOTS, exist_ok=True)
            subprocess.run(["import", "-window", "root", os.path.join(SHOTS, name + ".png")],
                           env=self.env, timeout=20, check=False)

    def close(self):
        stop(self.wm)
        stop(self.xvfb)


class Simulator:
    """vantor3-sim linked as COMn in the test's home, with its frame trace in a file."""

    def __init__(self, home, port, config, *options):
        self.trace_path = os.path.join(home, "trace-" + port + ".txt")
        self.trace = open(self.trace_path, "w")
        env = dict(os.environ, HOME=home)
        self.process = subprocess.Popen(
            [SIMULATOR, "--port", port, "--config", config, "--trace", *options],
            env=env, stdout=self.trace, stderr=subprocess.STDOUT)
        try:
            wait_for(lambda: "ready" in self.output(), "the simulator on " + port, timeout=30)
        except AssertionError:
            self.close()
            raise

    def output(self):
        with open(self.trace_path, encoding="utf-8", errors="replace") as trace:
            return trace.read()

    def received(self):
        """The hex bytes of every frame received, one string per frame."""
        return [line.split(" rx ", 1)[1] for line in self.output().splitlines() if " rx " in line]

    def close(self):
        stop(self.process)
        self.trace.close()


class DesktopTest(unittest.TestCase):
    layout = None

    def setUp(self):
        self.home = tempfile.mkdtemp(prefix="vantor-desktop-")
        self.addCleanup(shutil.rmtree, self.home, ignore_errors=True)
        self.display = Display(self.home)
        self.simulators = []
        self.program = None
        self.addCleanup(self.tear_down)
        if DesktopTest.layout is None:
            DesktopTest.layout = json.loads(self.display.run(LAYOUT))

    def tear_down(self):
        if self.program is not None:
            self.display.screenshot(self.id().rsplit(".", 1)[-1])
        stop(self.program)
        for simulator in self.simulators:
            simulator.close()
        self.display.close()

    # --- The program -----------------------------------------------------------------------

    def start_simulator(self, port="COM1", config=None, *options):
        simulator = Simulator(self.home, port, config or os.path.join(SOURCE, "samples/demo.dat"),
                              *options)
        self.simulators.append(simulator)
        return simulator

    def start_program(self):
        self.program = subprocess.Popen([PROGRAM], env=self.display.env, cwd=self.home,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = wait_for(lambda: self.find_main_window(), "the main window", timeout=60)
        self.display.xdotool("windowactivate", "--sync", self.window)
        size = self.layout["main"]["size"]
        self.assertEqual(self.display.geometry(self.window)[2:], tuple(size),
                         "the layout helper and the program disagree on the window size")

    def find_main_window(self):
        for window in self.visible_windows():
            if self.display.run("xdotool", "getwindowname", window).startswith("Vantor 3"):
                return window
        return None

    def visible_windows(self):
        return self.display.xdotool("search", "--onlyvisible", "--pid", self.program.pid,
                                    "").split()

    def origin(self):
        x, y, _, _ = self.display.geometry(self.window)
        return x, y

    def title(self):
        return self.display.xdotool("getwindowname", self.window).strip()

    def click_control(self, id, page=None, dx=None, dy=None):
        """Clicks the middle of a control of the main window or of an open page."""
        x, y = self.origin()
        if page is None:
            rect = self.layout["main"]["controls"][str(id)]
        else:
            layout = self.layout["pages"][str(page)]
            x += layout["offset"][0]
            y += layout["offset"][1]
            rect = layout["controls"][str(id)]
        self.display.click(x + rect[0] + (rect[2] // 2 if dx is None else dx),
                           y + rect[1] + (rect[3] // 2 if dy is None else dy))

    def page_window(self, tab):
        """The window of the open page of `tab`, where that page opens, or None."""
        layout = self.layout["pages"][str(tab)]
        x, y = self.origin()
        expected = (x + layout["offset"][0], y + layout["offset"][1], *layout["size"])
        for window in self.visible_windows():
            if self.display.geometry(window) == expected:
                return window
        return None

    def open_page(self, tab):
        self.click_control(tab)
        return wait_for(lambda: self.page_window(tab), "the page of tab %d" % tab)

    def wait_page_closed(self, tab):
        wait_for(lambda: self.page_window(tab) is None, "the page of tab %d to close" % tab)

    def choose_from_list(self, tab, id, items, text):
        """Opens a list of a page (or of the main window, with `tab` None) with the mouse and
        clicks the item `text` in its drop-down."""
        before = set(self.visible_windows())
        self.click_control(id, page=tab)
        popup = wait_for(lambda: [w for w in self.visible_windows() if w not in before],
                         "the drop-down of list %d" % id)[0]
        if tab is not None:
            self.assertIsNotNone(self.page_window(tab), "opening the list closed its page")
        # A release within the double-click interval of the opening press is taken as the end
        # of a press-drag-release on the list, not as a click on an item; a person is slower.
        time.sleep(QT_DOUBLE_CLICK_INTERVAL)
        x, y, width, height = self.display.geometry(popup)
        row = height / len(items)
        self.display.click(x + width // 2, int(y + row * (items.index(text) + 0.5)))
        wait_for(lambda: popup not in self.visible_windows(), "the drop-down to close")
        if tab is not None:
            self.assertIsNotNone(self.page_window(tab), "the choice closed its page")

    def log_rows(self):
        folder = os.path.join(self.home, "VantorTXT")
        rows = []
        for name in sorted(os.listdir(folder)) if os.path.isdir(folder) else []:
            with open(os.path.join(folder, name), encoding="cp1251", newline="") as log:
                lines = log.read().split("\r\n")
            header = next((i for i, line in enumerate(lines) if line.startswith("Время")), None)
            if header is not None:
                rows += [dict(zip(lines[header].split("\t"), line.split("\t")))
                         for line in lines[header + 1:] if line]
        return rows

    # --- The cases -------------------------------------------------------------------------

    def test_port_page_lists_by_mouse_switch_the_line(self):
        self.start_simulator("COM1")
        com2 = self.start_simulator("COM2")
        self.start_program()
        self.load_by_dialog(os.path.join(SOURCE, "samples/demo.dat"))
        self.open_page(PORT_TAB)
        self.choose_from_list(PORT_TAB, 1089, BAUDS, "19200")
        self.choose_from_list(PORT_TAB, 1087, PARITIES, "НЕТ")
        self.choose_from_list(PORT_TAB, 1023, PORTS, "COM2")
        self.display.screenshot("port-page")
        self.click_control(START)
        self.wait_page_closed(PORT_TAB)
        wait_for(lambda: com2.received(), "a request on COM2")

    def test_modbus_page_ascii_by_mouse_then_start_sends_ascii_frames(self):
        simulator = self.start_simulator("COM1")
        self.start_program()
        self.load_by_dialog(os.path.join(SOURCE, "samples/demo.dat"))
        self.open_page(MODBUS_TAB)
        ascii_radio = self.layout["pages"][str(MODBUS_TAB)]["controls"]["1090"]
        self.click_control(1090, page=MODBUS_TAB, dx=6, dy=ascii_radio[3] // 2)
        self.display.screenshot("modbus-page")
        self.click_control(START)
        frames = wait_for(lambda: simulator.received(), "a request on the line")
        # ":" ... CR LF, in hex as the trace writes it.
        self.assertTrue(frames[0].startswith("3A ") and frames[0].endswith("0D 0A"), frames[0])
        wait_for(lambda: " tx 3A " in simulator.output(), "an ASCII answer")

    def test_nominal_current_list_scales_the_currents(self):
        self.start_simulator("COM1")
        self.start_program()
        self.load_by_dialog(os.path.join(SOURCE, "samples/demo.dat"))
        # "Физ. ед" commits the window's controls, "Сохранить" with them; a choice of nominal
        # value shows the working state again and would undo a check not yet committed.
        self.click_control(SAVE)
        self.click_control(PHYSICAL)
        self.open_page(NOMINAL_TAB)
        self.choose_from_list(NOMINAL_TAB, 1099, CURRENTS, "1.0")
        self.click_control(START)
        self.wait_page_closed(NOMINAL_TAB)
        first = wait_for(lambda: self.log_rows()[-1:], "a log row")[0]
        self.open_page(NOMINAL_TAB)
        self.choose_from_list(NOMINAL_TAB, 1099, CURRENTS, "5.0")
        count = len(self.log_rows())
        wait_for(lambda: len(self.log_rows()) > count + 1, "log rows after the change")
        later = self.log_rows()[-1]
        self.click_control(STOP)
        for key in ("Ia", "Ib", "Ic"):
            before = float(first[key].replace(",", "."))
            after = float(later[key].replace(",", "."))
            self.assertAlmostEqual(after / before, 5.0, delta=0.1, msg=(key, first, later))

    def test_pages_close_when_the_main_window_is_clicked_and_none_is_stranded(self):
        self.start_program()
        # The main window's focus goes back to a value field when it is clicked: its first
        # field, the poll period, shares its id with the Modbus page's "ASCII" and would keep
        # that page open.
        self.click_control(FREQUENCY)
        for tab in (FILE_TAB, PORT_TAB, MODBUS_TAB, IEC_TAB, NOMINAL_TAB):
            self.open_page(tab)
            self.click_control(FREQUENCY)
            self.wait_page_closed(tab)
        for tab in (PORT_TAB, NOMINAL_TAB):
            self.open_page(tab)
            self.display.xdotool("windowminimize", "--sync", self.window)
            self.display.xdotool("windowactivate", "--sync", self.window)
            wait_for(lambda: self.display.xdotool("getactivewindow").strip() in
                     (self.window, self.page_window(tab)), "the window back")
            self.click_control(FREQUENCY)
            self.wait_page_closed(tab)
            for other in (FILE_TAB, PORT_TAB, MODBUS_TAB, IEC_TAB, NOMINAL_TAB):
                self.assertIsNone(self.page_window(other), "page %d stranded" % other)

    def load_by_dialog(self, path):
        self.open_page(FILE_TAB)
        before = set(self.visible_windows())
        self.click_control(1108, page=FILE_TAB)
        dialog = wait_for(lambda: [w for w in self.visible_windows() if w not in before],
                          "the file dialog")[0]
        self.display.xdotool("windowactivate", "--sync", dialog)
        self.display.key("ctrl+a")
        self.display.type(path)
        self.display.key("Return")
        wait_for(lambda: dialog not in self.visible_windows(), "the file dialog to close")
        name = os.path.basename(path)
        wait_for(lambda: self.title() == "Vantor 3 VuRo (%s)" % name, "the caption with " + name)
        self.click_control(FREQUENCY)
        self.wait_page_closed(FILE_TAB)

    def test_iec_group_poll_clock_and_delay_by_mouse_reach_the_line(self):
        config = os.path.join(SOURCE, "samples/demo-iec.dat")
        simulator = self.start_simulator("COM1", config)
        self.start_program()
        self.load_by_dialog(config)
        self.click_control(GROUP_POLL)
        self.choose_from_list(None, GROUP_LIST, GROUPS, "3")
        self.click_control(START)
        # The interrogation of group 3 carries the qualifier 20 + 3.
        wait_for(lambda: [f for f in simulator.received() if asdu_type(f) == "64" and
                          f.split()[-3] == "17"], "an interrogation of group 3")
        self.display.screenshot("iec-group-3")
        self.click_control(SYNC_CLOCK)
        wait_for(lambda: [f for f in simulator.received() if asdu_type(f) == "67"],
                 "the clock synchronisation command")
        self.click_control(MEASURE_DELAY)
        wait_for(lambda: "delay received" in simulator.output(), "the measured delay sent back")
        self.click_control(STOP)

    def test_about_box_from_the_context_menu(self):
        self.start_program()
        x, y = self.origin()
        before = set(self.visible_windows())
        self.display.click(x + self.layout["main"]["size"][0] // 2, y + 8, button=3)
        menu = wait_for(lambda: [w for w in self.visible_windows() if w not in before],
                        "the context menu")[0]
        self.display.key("Down", "Return")
        wait_for(lambda: menu not in self.visible_windows(), "the context menu to close")
        about = wait_for(lambda: [w for w in self.visible_windows() if self.display.run(
            "xdotool", "getwindowname", w).strip() == "About Vantor 3"], "the About box")[0]
        self.display.screenshot("about-box")
        self.display.key("Return")
        wait_for(lambda: about not in self.visible_windows(), "the About box to close")

    def test_file_dialog_loads_a_typed_path(self):
        self.start_program()
        self.load_by_dialog(os.path.join(SOURCE, "samples/demo-iec.dat"))


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: exit(1))
    unittest.main()
