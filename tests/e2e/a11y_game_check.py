#!/usr/bin/python3
"""The game played over the real AT-SPI bus as a screen reader user plays it: only press
actions on named push buttons and the birthday fields' Value interface, no key, no click.

    a11y_game_check.py GAME [ARGUMENT...]

Starts GAME with its arguments (a fixed --seed and a fresh profile make each run the same)
and plays a single reading, then a compatibility reading: NEW GAME or 相性占い, CLICK HERE
whenever a line waits, a name typed on the letter tiles and OK, あいっ！ on the yes/no
panel, ♂, a birthday set in the 月 and 日 fields and OK, the first word offered, the
result sheet's OK; a message box is answered with the button that leads back to the title
when it asks, with its only button when it tells. After each press it reads the tree
anew; when it finds nothing to press it waits for the next event. Checks:
  (a) no showing, enabled node that takes input lacks a role or a name, at any step;
  (b) each line said reaches the bus exactly once as an announcement: "said" is every name
      the speech label takes (any node whose announcer children announce, and the node
      renamed most often), "announced"
      the notifications with a said line as their name, in order; other notifications
      (the CLICK HERE prompt, a panel's prompt) may come besides;
  (c) the single reading reaches its result sheet, and each reading comes back to the
      title.
With ORCA_LOG, it stops once Orca has spoken the first three lines, each before the next
press.
"""
import sys
from collections import Counter

import pyatspi
from gi.repository import GLib

from a11y_bus import BusCheck, action_names, describe, inputs_without_role_or_name, press, walk

# Each reading: its title button, the answer to a question box that leads back to the
# title (the other one quits), and whether it ends on the result sheet.
READINGS = (("NEW GAME", "No", True), ("相性占い", "Yes", False))
NAME = "POMU"  # typed on the letter tiles
BIRTHDAY = {"月": 3, "日": 5}
ORCA_LINES = 3
MAX_PRESSES = 500


class GameCheck(BusCheck):
    def __init__(self, command):
        self.reading = -1  # index into READINGS of the reading played
        self.result_reached = [False] * len(READINGS)  # for those with a result sheet
        self.back_at_title = [False] * len(READINGS)
        self.missing = []  # (a) over every step
        self.typed = 0  # letters of NAME typed on the shown name panel
        self.presses = 0
        self.rereads = 0
        self.answered = None  # (the message box answered, the window's nodes then)
        self.step_due = False
        self.waiting_for_change = False
        self.renames = []  # (node, name) of every name change of the program's nodes
        self.announcements = []  # (announcer's parent, name)
        self.boundaries = [(0, 0)]  # (len(renames), len(announcements)) as each reading began
        self.spoken = 0  # with Orca: lines it has spoken
        super().__init__(command)

    # Events: the step runs once those already received are dispatched.

    def started(self):
        self.schedule()

    def changed(self, event):
        if self.waiting_for_change:
            self.schedule()

    def announced(self, node, name):
        self.announcements.append((node.parent, name))

    def renamed(self, node, name):
        if node.getRole() != pyatspi.ROLE_NOTIFICATION:
            self.renames.append((node, name))

    def schedule(self):
        self.waiting_for_change = False
        if not self.step_due:
            self.step_due = True
            GLib.idle_add(self.step, priority=GLib.PRIORITY_LOW)

    def said(self, renames, most_renamed=True):
        """The names taken by the speech label: any node whose announcer children announce,
        and the node renamed most often over the whole run (a name a line), so that a
        label that never announces is found too."""
        speakers = {parent for parent, _ in self.announcements}
        if most_renamed and self.renames:
            speakers.add(Counter(node for node, _ in self.renames).most_common(1)[0][0])
        return [name for node, name in renames if node in speakers]

    # One step: read the tree, press what the game waits for.

    def step(self):
        self.step_due = False
        if self.orca_log and self.orca_waits():
            return False
        self.app.clear_cache()  # showing changes under a hidden or covered panel send no event
        events = self.events
        try:
            nodes, window_nodes = [], []  # all showing nodes; those outside message boxes
            for window in self.app:
                found = list(walk(window))
                nodes += found
                if window.getRole() != pyatspi.ROLE_ALERT:
                    window_nodes += [describe(n) for n in found]
            missing = inputs_without_role_or_name(nodes)
            pressable = [n for n in nodes if "Press" in action_names(n)]
            alert = next((n for n in nodes if n.getRole() == pyatspi.ROLE_ALERT), None)
            spins = [n for n in nodes if n.getRole() == pyatspi.ROLE_SPIN_BUTTON]
            labels = [n.name for n in nodes if n.getRole() == pyatspi.ROLE_LABEL and n.name.strip()]
        except GLib.GError:  # a node went away while it was read
            events = None
        if self.events != events:
            # Events came in while the tree was read (the client library dispatches them
            # while it waits for an answer): the game moved meanwhile, read it again.
            self.rereads += 1
            self.schedule()
            return False
        buttons = {}
        for node in pressable:
            buttons.setdefault(node.name, node)
        if self.answered is not None:
            # A box's button clicks a moment after its press, and the toolkit answers the
            # bus between the box hiding and the game hearing of the answer: wait until the
            # box has gone and the window shows something else.
            box, before = self.answered
            if alert == box or (alert is None and window_nodes == before):
                self.waiting_for_change = True
                return False
            self.answered = None
        self.missing += [m for m in missing if m not in self.missing]

        if alert is not None:
            self.answer(alert, window_nodes)
        elif "CLICK HERE" in buttons:
            self.press(buttons["CLICK HERE"])
        elif READINGS[0][0] in buttons:
            self.at_title(buttons)
        elif spins and "OK" in buttons:
            for spin in spins:
                spin.queryValue().currentValue = BIRTHDAY[spin.name]
            print("birthday: %s" % ", ".join("%s %g" % (s.name, s.queryValue().currentValue)
                                             for s in spins))
            self.press(buttons["OK"])
        elif "消す" in buttons:
            if self.typed < len(NAME):
                self.typed += 1
                self.press(buttons[NAME[self.typed - 1]])
            else:
                self.typed = 0
                self.press(buttons["OK"])
        elif "あいっ！" in buttons:
            self.press(buttons["あいっ！"])
        elif "♂" in buttons:
            self.press(buttons["♂"])
        elif "OK" in buttons and self.result_reached[self.reading]:
            self.waiting_for_change = True  # the sheet, left once, is still going away
        elif "OK" in buttons:
            self.result_reached[self.reading] = True
            print("result sheet: %s" % labels)
            self.press(buttons["OK"])
        elif pressable:  # the words offered, named by themselves
            print("words: %s" % [n.name for n in pressable])
            self.press(pressable[0])
        else:
            self.waiting_for_change = True
        return False

    def press(self, node):
        self.presses += 1
        if self.presses > MAX_PRESSES:
            self.failures.append("still playing after %d presses" % MAX_PRESSES)
            self.stop()
            return
        press(node)
        self.schedule()

    def answer(self, alert, window_nodes):
        nodes = list(walk(alert))
        buttons = {n.name: n for n in nodes if "Press" in action_names(n)}
        # A question is answered so that the reading goes back to the title; a notice
        # has one button.
        button = buttons.get(READINGS[self.reading][1]) or next(iter(buttons.values()), None)
        text = [n.name for n in nodes if n.getRole() == pyatspi.ROLE_LABEL]
        print("message box %s: %s" % (text, button and button.name))
        if button is None:
            self.failures.append("(c) a message box without a pressable button: %s" % text)
            self.stop()
            return
        self.answered = (alert, window_nodes)
        self.press(button)

    def at_title(self, buttons):
        if self.reading >= 0:
            title, _, sheet = READINGS[self.reading]
            if sheet and not self.result_reached[self.reading]:
                self.failures.append("(c) back at the title before the result of %s" % title)
                self.stop()
                return
            self.back_at_title[self.reading] = True
        # Once the events that came in during this step's reads are dispatched: every event
        # of the reading was sent before the answers to those reads.
        GLib.idle_add(self.next_reading, buttons, priority=GLib.PRIORITY_LOW)

    def next_reading(self, buttons):
        if self.reading >= 0:
            self.boundaries.append((len(self.renames), len(self.announcements)))
        self.reading += 1
        if self.reading == len(READINGS):
            self.stop()
        else:
            print("--- %s" % READINGS[self.reading][0])
            self.press(buttons[READINGS[self.reading][0]])
        return False

    def orca_waits(self):
        """Holds the next press until Orca has spoken each line said so far; stops the run
        after the first ORCA_LINES."""
        said = self.said(self.renames, most_renamed=False)  # the run is cut short
        if self.spoken < min(len(said), ORCA_LINES):
            self.when_spoken(said[self.spoken], self.on_spoken)
            return True
        if self.spoken == ORCA_LINES:
            self.stop()
            return True
        return False

    def on_spoken(self):
        self.spoken += 1
        self.schedule()

    def report(self):
        print("(a) showing input nodes without a role or a name, over every step: %d %s" %
              (len(self.missing), self.missing))
        if self.missing:
            self.failures.append("(a) %s" % self.missing)
        if self.orca_log:
            return
        ends = self.boundaries + [(len(self.renames), len(self.announcements))] * len(READINGS)
        for reading, (title, _, sheet) in enumerate(READINGS):
            (renames_from, announced_from), (renames_to, announced_to) = ends[reading:reading + 2]
            renames = self.renames[renames_from:renames_to]
            announced = [name for _, name in self.announcements[announced_from:announced_to]]
            said = self.said(renames)
            lines = [name for name in announced if name in said]
            print("(b) %s: said %d, announced %d (%d notifications in all)" %
                  (title, len(said), len(lines), len(announced)))
            if lines != said:
                self.failures.append("(b) %s: said %s, announced %s" % (title, said, announced))
            print("(c) %s: %sback at the title %s" % (
                title, ("result sheet reached %s, " % self.result_reached[reading]) if sheet else "",
                self.back_at_title[reading]))
            if not self.back_at_title[reading]:
                self.failures.append("(c) %s did not come back to the title" % title)
        print("presses %d, trees read again after events during the read %d" %
              (self.presses, self.rereads))


if __name__ == "__main__":
    sys.exit(GameCheck(sys.argv[1:]).run())
