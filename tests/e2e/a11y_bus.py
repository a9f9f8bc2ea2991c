"""What the checks over the real AT-SPI bus share (a11y_check.py on the small demo window,
a11y_game_check.py on the game): the tree as a screen reader reads it, a program started
with Qt's bridge on once a screen reader beside the check listens, its announcements, and
waiting for Orca to have spoken a line. Needs a session bus, the accessibility bus and an
X display (tests/e2e/a11y_test.sh sets them up).
"""
import os
import subprocess

import pyatspi
from gi.repository import Gio, GLib

NO_ROLE = {pyatspi.ROLE_INVALID, pyatspi.ROLE_UNKNOWN, pyatspi.ROLE_FILLER}
LIMIT_SECONDS = 60  # one overall limit for a run that hangs: every wait ends on an event


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def walk(node):
    """The showing nodes under `node` (itself included), parents first."""
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


def press(node):
    """Runs the node's press action, as a screen reader does for its user."""
    node.queryAction().doAction(action_names(node).index("Press"))


def describe(node):
    return "%s %r" % (node.getRoleName(), node.name)


def inputs_without_role_or_name(nodes):
    """Those of `nodes` (showing ones, from walk()) that are enabled and take input (focus or
    an action) but have no role or an empty name."""
    found = []
    for node in nodes:
        state = node.getState()
        takes_input = state.contains(pyatspi.STATE_FOCUSABLE) or action_names(node)
        if not takes_input or not state.contains(pyatspi.STATE_ENABLED):
            continue
        if node.getRole() in NO_ROLE or not node.name.strip():
            found.append(describe(node))
    return found


class BusCheck:
    """Runs a program with Qt's accessibility bridge on and follows it on the bus until
    stop(). Subclasses begin in started() once the program's application is on the bus,
    hear each node shown, hidden, added or removed in changed(event), each notification
    that becomes showing in announced(node, name) and each name change in renamed(node,
    name), and add their verdicts in report()."""

    def __init__(self, command, **popen_arguments):
        self.command = command
        self.popen_arguments = popen_arguments
        self.failures = []
        self.events = 0  # events heard so far
        self.app = None
        self.program = None
        # A screen reader started beside the check (A11Y_WAIT_FOR=its application name)
        # must be on the bus before the program, or it misses the first lines.
        self.wait_for = os.environ.get("A11Y_WAIT_FOR")
        self.orca_log = os.environ.get("ORCA_LOG")
        self.orca_monitor = None
        self.awaited = None  # (line, what to do once Orca has said it)
        # The name changes keep the names read from the events' sources those of the time
        # of the event (the client library caches names and updates them from these).
        pyatspi.Registry.registerEventListener(self.on_event, "object:state-changed:showing",
                                               "object:children-changed",
                                               "object:property-change:accessible-name")
        GLib.timeout_add_seconds(LIMIT_SECONDS, self.on_timeout)
        self.launch_when_ready()

    def launch_when_ready(self):
        if self.program is not None:
            return
        if self.wait_for and not any(app is not None and app.name == self.wait_for
                                     for app in pyatspi.Registry.getDesktop(0)):
            return
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        self.program = subprocess.Popen(self.command, env=env, **self.popen_arguments)

    def find_app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.program.pid:
                self.app = app
                # The bridge answers: from here on it sends events to this listener.
                self.started()
                return

    def on_event(self, event):
        self.events += 1
        try:
            if event.type.startswith("object:children-changed"):
                if self.program is None:
                    self.launch_when_ready()
                elif self.app is None:
                    self.find_app()
                else:
                    self.changed(event)
            elif event.type == "object:state-changed:showing":
                if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
                    self.announced(event.source, event.source.name)
                if self.app is not None:
                    self.changed(event)
            elif event.type == "object:property-change:accessible-name" and self.app is not None:
                self.renamed(event.source, event.source.name)
        except GLib.GError:
            pass  # the program went away while the event was read

    def started(self):
        pass

    def changed(self, event):
        """Something of the program's was shown, hidden, added or removed."""

    def announced(self, node, name):
        pass

    def renamed(self, node, name):
        pass

    def when_spoken(self, line, then):
        """Calls `then` once Orca beside the check (ORCA_LOG) has said `line`, at once
        without Orca: Orca's events still waiting when the program ends are not said."""
        self.awaited = (line, then)
        if self.orca_log and self.orca_monitor is None:
            self.orca_monitor = Gio.File.new_for_path(self.orca_log).monitor_file(
                Gio.FileMonitorFlags.NONE, None)
            self.orca_monitor.connect("changed", lambda *args: self.check_spoken())
        self.check_spoken()

    def check_spoken(self):
        if self.awaited is None:
            return
        line, then = self.awaited
        if self.orca_log:
            with open(self.orca_log, encoding="utf-8", errors="replace") as log:
                # Orca's log breaks a line of several lines where the text does.
                if "SPEECH OUTPUT: 'notification %s" % line.split("\n")[0] not in log.read():
                    return
            print("Orca spoke: %s" % line)
        self.awaited = None
        then()

    def on_timeout(self):
        self.failures.append("timed out")
        self.stop()
        return False

    def stop(self):
        pyatspi.Registry.stop()

    def report(self):
        pass

    def run(self):
        # Without the idle callback that lets other Python threads run (there are none):
        # it would always be due and starve the checks' own idle callbacks.
        pyatspi.Registry.start(gil=False)
        if self.program is None:
            print("FAIL: the program was never started")
            return 1
        if self.program.poll() is None:
            self.program.kill()
        self.program.wait()
        self.report()
        for failure in self.failures:
            print("FAIL: " + failure)
        return 1 if self.failures else 0
