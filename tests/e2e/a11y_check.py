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
overall limit stops a run that hangs (see a11y_bus.py).
"""
import os
import subprocess
import sys

from gi.repository import GLib

from a11y_bus import BusCheck, action_names, inputs_without_role_or_name, press, walk

END = "(end of the check)"


class Check(BusCheck):
    def __init__(self, program, lines):
        self.lines = lines
        self.announced_lines = []
        self.expected_output = None
        self.said = 0  # lines sent to be said
        self.pending = b""
        super().__init__([program], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)

    def launch_when_ready(self):
        launched = self.program is not None
        super().launch_when_ready()
        if not launched and self.program is not None:
            GLib.io_add_watch(self.program.stdout.fileno(), GLib.IO_IN | GLib.IO_HUP, self.on_output)

    def send(self, command):
        self.program.stdin.write(command + "\n")
        self.program.stdin.flush()

    def announced(self, node, name):
        if name == END:
            self.when_spoken(END, self.finish)
            return
        self.announced_lines.append(name)
        if name == self.lines[self.said - 1] and self.announced_lines.count(name) == 1:
            self.when_spoken(name, self.say_next)  # the next line only once this one is announced

    def started(self):
        missing = inputs_without_role_or_name(walk(self.app))
        print("(a) showing input nodes without a role or a name: %d %s" % (len(missing), missing))
        if missing:
            self.failures.append("(a) %s" % missing)
        ok = [n for n in walk(self.app) if n.name == "OK" and "Press" in action_names(n)]
        if len(ok) != 1:
            self.failures.append("(c) no single pressable node named OK")
            self.stop()
            return
        self.expected_output = "pressed OK"
        press(ok[0])

    def on_output(self, fd, condition):
        chunk = os.read(fd, 4096)
        if not chunk:
            self.failures.append("the program ended early")
            self.stop()
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

    def say_next(self):
        """Says the next line, or after the last one a closing line, whose announcement
        can only arrive after every earlier one (one connection, in order)."""
        if self.said == len(self.lines):
            self.send("say " + END)
        else:
            self.send("say " + self.lines[self.said])
            self.said += 1

    def finish(self):
        self.send("quit")
        self.stop()

    def report(self):
        print("(b) said %d, announced %d: %s" % (len(self.lines), len(self.announced_lines),
                                                 self.announced_lines))
        if self.announced_lines != self.lines:
            self.failures.append("(b) said %s, announced %s" % (self.lines, self.announced_lines))


if __name__ == "__main__":
    sys.exit(Check(sys.argv[1], sys.argv[2:]).run())
