#!/usr/bin/python3
"""The accessibility check over the real AT-SPI bus, as a screen reader sees a program.

    a11y_check.py PROGRAM [LINE...]

Starts PROGRAM (which must follow tests/e2e/a11y_demo.cpp's stdin/stdout protocol) with
Qt's bridge on, waits for it on the bus, and then checks:
  (a) no showing, enabled node that takes input lacks a role or a name;
  (b) each LINE said by the program reaches the bus exactly once, as a notification
      becoming showing with the line as its name (what Orca speaks);
  (c) pressing the node named OK through its press action does what a click does.
Prints what it found and exits 0 when all three hold. Every wait ends on an event; one
overall limit (60 s) stops a run that hangs. Needs a session bus, the accessibility bus
and an X display (tests/e2e/a11y_test.sh sets them up).
"""
import os
import subprocess
import sys

import pyatspi
from gi.repository import Gio, GLib

END = "(end of the check)"
NO_ROLE = {pyatspi.ROLE_INVALID, pyatspi.ROLE_UNKNOWN, pyatspi.ROLE_FILLER}


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def walk(node):
    if node is None or not showing(node):
        return
    yield node
    for child in node:
        yield from walk(child)


def action_names(node):
    try:
        actions = node.queryAction()
    except NotImplementedError:
        return []
    return [actions.getName(i) for i in range(actions.nActions)]


def inputs_without_role_or_name(app):
    found = []
    for node in walk(app):
        state = node.getState()
        takes_input = state.contains(pyatspi.STATE_FOCUSABLE) or action_names(node)
        if not takes_input or not state.contains(pyatspi.STATE_ENABLED):
            continue
        if node.getRole() in NO_ROLE or not node.name.strip():
            found.append("%s %r" % (node.getRoleName(), node.name))
    return found


class Check:
    def __init__(self, program, lines):
        self.lines = lines
        self.announced = []
        self.failures = []
        self.app = None
        # The name changes keep the names read from the events' sources those of the time
        # of the event (the client library caches names and updates them from these).
        pyatspi.Registry.registerEventListener(self.on_event, "object:state-changed:showing",
                                               "object:children-changed",
                                               "object:property-change:accessible-name")
        GLib.timeout_add_seconds(60, self.on_timeout)
        self.program_path = program
        self.program = None
        # A screen reader started beside the check (A11Y_WAIT_FOR=its application name)
        # must be on the bus before the program, or it misses the first lines.
        self.wait_for = os.environ.get("A11Y_WAIT_FOR")
        self.expected_output = None
        self.said = 0  # lines sent to be said
        self.pending = b""
        self.orca_log = os.environ.get("ORCA_LOG")
        self.orca_monitor = None
        self.awaited = None
        self.launch_when_ready()

    def launch_when_ready(self):
        if self.program is not None:
            return
        if self.wait_for and not any(app is not None and app.name == self.wait_for
                                     for app in pyatspi.Registry.getDesktop(0)):
            return
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        self.program = subprocess.Popen([self.program_path], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        env=env, text=True)
        GLib.io_add_watch(self.program.stdout.fileno(), GLib.IO_IN | GLib.IO_HUP, self.on_output)
        self.pid = self.program.pid

    def send(self, command):
        self.program.stdin.write(command + "\n")
        self.program.stdin.flush()

    def on_timeout(self):
        self.failures.append("timed out")
        pyatspi.Registry.stop()
        return False

    def on_event(self, event):
        try:
            if event.type.startswith("object:children-changed") and self.app is None:
                if self.program is None:
                    self.launch_when_ready()
                else:
                    self.find_app()
            elif (event.type == "object:state-changed:showing" and event.detail1 == 1 and
                  event.source.getRole() == pyatspi.ROLE_NOTIFICATION):
                name = event.source.name
                if name == END:
                    self.after_spoken(END)
                    return
                self.announced.append(name)
                if name == self.lines[self.said - 1] and self.announced.count(name) == 1:
                    self.after_spoken(name)  # the next line only once this one is announced
        except GLib.GError:
            pass  # the program went away while the event was read

    def find_app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.pid:
                self.app = app
                # The bridge answers: from here on it sends events to this listener.
                self.start()
                return

    def start(self):
        missing = inputs_without_role_or_name(self.app)
        print("(a) showing input nodes without a role or a name: %d %s" % (len(missing), missing))
        if missing:
            self.failures.append("(a) %s" % missing)
        ok = [n for n in walk(self.app) if n.name == "OK" and "Press" in action_names(n)]
        if len(ok) != 1:
            self.failures.append("(c) no single pressable node named OK")
            pyatspi.Registry.stop()
            return
        self.expected_output = "pressed OK"
        actions = ok[0].queryAction()
        actions.doAction(action_names(ok[0]).index("Press"))

    def on_output(self, fd, condition):
        chunk = os.read(fd, 4096)
        if not chunk:
            self.failures.append("the program ended early")
            pyatspi.Registry.stop()
            return False
        self.pending += chunk
        while b"\n" in self.pending:
            line, self.pending = self.pending.split(b"\n", 1)
            self.on_line(line.decode())
        return True

    def on_line(self, line):
        if line == "shown" and self.app is None:
            self.find_app()
        elif self.expected_output and line == self.expected_output:
            print("(c) press action: %s" % line)
            self.expected_output = None
            self.say_next()

    def after_spoken(self, name):
        """Goes on once `name` is announced, and with Orca beside the check (ORCA_LOG) once
        Orca has said it: its events still waiting when the program ends are not said."""
        self.awaited = name
        if self.orca_log and self.orca_monitor is None:
            self.orca_monitor = Gio.File.new_for_path(self.orca_log).monitor_file(
                Gio.FileMonitorFlags.NONE, None)
            self.orca_monitor.connect("changed", lambda *args: self.check_orca())
        self.check_orca()

    def check_orca(self):
        if self.awaited is None:
            return
        if self.orca_log:
            with open(self.orca_log, encoding="utf-8", errors="replace") as log:
                if "SPEECH OUTPUT: 'notification %s" % self.awaited not in log.read():
                    return
        name, self.awaited = self.awaited, None
        if name == END:
            self.send("quit")
            pyatspi.Registry.stop()
        else:
            self.say_next()

    def say_next(self):
        """Says the next line, or after the last one a closing line, whose announcement
        can only arrive after every earlier one (one connection, in order)."""
        if self.said == len(self.lines):
            self.send("say " + END)
        else:
            self.send("say " + self.lines[self.said])
            self.said += 1

    def run(self):
        pyatspi.Registry.start()
        if self.program is None:
            return 1
        if self.program.poll() is None:
            self.program.kill()
        self.program.wait()
        print("(b) said %d, announced %d: %s" % (len(self.lines), len(self.announced), self.announced))
        if self.announced != self.lines:
            self.failures.append("(b) said %s, announced %s" % (self.lines, self.announced))
        for failure in self.failures:
            print("FAIL: " + failure)
        return 1 if self.failures else 0


if __name__ == "__main__":
    sys.exit(Check(sys.argv[1], sys.argv[2:]).run())
