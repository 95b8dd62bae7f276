"""Setting the card: the base address and its switches, the IRQ list and its jumper
bank, the termination list and its jumper."""

import unittest

from harness import (BASE_EDIT, HELP, IRQ_JUMPERS, IRQ_LIST, LOAD_JUMPER, LOAD_LIST, STATE_TIMEOUT,
                     ProgramTestCase, wait_until)

# Typed text and the address it must come out as. Each row follows one with a different
# result, so every row changes the switches. Entries are rounded to the nearest
# multiple of 8 (halves to even) and kept from 100 to 3F0; the box takes only
# hexadecimal digits, lower-case ones as upper case.
ADDRESSES = [
    ("2F7", 0x2F8),
    ("FF", 0x100),
    ("3F0", 0x3F0),
    ("123", 0x120),
    ("104", 0x100),
    ("10C", 0x110),
    ("400", 0x3F0),
    ("0", 0x100),
    ("2a8", 0x2A8),
    ("2g8 8", 0x288),
    ("000000000200", 0x200),
    ("3F4", 0x3F0),
]


class BaseAddressTest(ProgramTestCase):

    def setUp(self):
        super().setUp()
        with self.failure_screenshot("start"):
            self.program.window(HELP)
            self.start_help()
            self.rect = self.popup("Base Address")

    def switches(self):
        return self.read_switches(self.display.screenshot(), self.rect)

    def wait_switches(self, address, what):
        expected = self.switches_for(address)
        try:
            wait_until(lambda: self.switches() == expected, STATE_TIMEOUT, what)
        except AssertionError:
            self.assertEqual(self.switches(), expected, "%s: switches A3..A9 for %03X" % (what, address))

    def click_entry(self):
        box = self.rect
        self.display.click(box.x + BASE_EDIT.x + BASE_EDIT.w // 2, box.y + BASE_EDIT.y + BASE_EDIT.h // 2)

    def replace_entry(self, text):
        self.click_entry()
        # Selecting all with Ctrl+A would be filtered out by the box, so the old text
        # is removed key by key from its end.
        self.display.key("End", *["BackSpace"] * 16)
        self.display.type(text)

    def test_entered_addresses_are_normalised_and_drawn(self):
        self.wait_switches(0x200, "the first address")

        # Typing alone does not touch the drawing; only Enter confirms.
        self.replace_entry("2C0")
        self.settle()
        self.assertEqual(self.switches(), self.switches_for(0x200), "switches changed before Enter")
        self.display.key("Return")
        self.wait_switches(0x2C0, "2C0 after Enter")

        for typed, address in ADDRESSES:
            with self.case("address", typed=typed):
                self.replace_entry(typed)
                self.display.key("Return")
                self.wait_switches(address, "%s confirmed" % typed)

        # Enter also writes the normalised address back into the box: "3F5" becomes
        # "3F0" there, so changing its first digit afterwards gives 2F0. Had the box
        # kept "3F5", the same edit would give 2F5, drawn as 2F8.
        self.replace_entry("3F5")
        self.display.key("Return")
        self.wait_switches(0x3F0, "3F5 confirmed")
        self.click_entry()
        self.display.key("Home", "Delete")
        self.display.type("2")
        self.display.key("Return")
        self.wait_switches(0x2F0, "the first digit of the normalised entry changed to 2")

        # The popup keeps the address when it is closed and opened again.
        self.click_popup_button("Base Address", "Done")
        self.program.wait_hidden("Base Address")
        self.choose_setting("Base Address")
        self.rect = self.popup("Base Address")
        self.wait_switches(0x2F0, "the address after reopening")


class JumperTestCase(ProgramTestCase):

    def setUp(self):
        super().setUp()
        with self.failure_screenshot("help"):
            self.program.window(HELP)
            self.close_help()

    def open_by_click(self, circle, title):
        """Hovers a circle and clicks it, which holds its popup open."""
        self.hover(circle)
        self.popup(title)
        self.display.click(*self.display.pointer())
        self.assert_checks(title)
        return self.popup(title)

    def pick_in_list(self, rect, at, *keys):
        """Clicks into a list's text field and moves through the entries with keys."""
        self.display.click(rect.x + at.x + 20, rect.y + at.y + at.h // 2)
        self.display.key(*keys)


class IrqTest(JumperTestCase):

    def bank(self):
        shot = self.display.screenshot()
        return [self.jumper_state(shot, self.rect, at) for at in IRQ_JUMPERS]

    def wait_bank(self, closed, what):
        """Waits until exactly jumper `closed` (1 to 11) is closed, or none for 0."""
        expected = ["closed" if k == closed else "open" for k in range(1, 12)]
        try:
            wait_until(lambda: self.bank() == expected, STATE_TIMEOUT, what)
        except AssertionError:
            self.assertEqual(self.bank(), expected, what)

    def click_jumper(self, k):
        jx, jy = IRQ_JUMPERS[k - 1]
        self.display.click(self.rect.x + jx + 17, self.rect.y + jy + 9)

    def test_list_and_jumpers_follow_each_other(self):
        self.rect = self.open_by_click("IRQ", "IRQ Level")
        self.wait_bank(0, "the bank all open on first opening")

        # Each step acts on the list (keys) or on a jumper (click) and names the one
        # jumper that must then be closed (0 for none). Moving in the list from where
        # a jumper click left it proves that the list followed the jumper.
        steps = [
            ("list Down x4: IRQ5", lambda: self.pick_in_list(self.rect, IRQ_LIST, *["Down"] * 4), 4),
            ("click IRQ10 jumper", lambda: self.click_jumper(7), 7),
            ("list Down: IRQ11", lambda: self.pick_in_list(self.rect, IRQ_LIST, "Down"), 8),
            ("click the closed IRQ11 jumper", lambda: self.click_jumper(8), 0),
            ("list Down from None: IRQ2", lambda: self.pick_in_list(self.rect, IRQ_LIST, "Down"), 1),
            ("list Up: None", lambda: self.pick_in_list(self.rect, IRQ_LIST, "Up"), 0),
            ("list to the end: IRQ15", lambda: self.pick_in_list(self.rect, IRQ_LIST, *["Down"] * 12), 11),
            ("click IRQ2 jumper", lambda: self.click_jumper(1), 1),
            ("list Up from IRQ2: None", lambda: self.pick_in_list(self.rect, IRQ_LIST, "Up"), 0),
        ]
        for label, act, closed in steps:
            with self.case(label):
                act()
                self.wait_bank(closed, label)


class TerminationTest(JumperTestCase):

    def jumper(self):
        return self.jumper_state(self.display.screenshot(), self.rect, LOAD_JUMPER)

    def wait_jumper(self, state, what):
        try:
            wait_until(lambda: self.jumper() == state, STATE_TIMEOUT, what)
        except AssertionError:
            self.assertEqual(self.jumper(), state, what)

    def test_list_and_jumper_follow_each_other(self):
        self.rect = self.open_by_click("Load", "Load")
        self.wait_jumper("open", "the jumper open on first opening")
        jx, jy = LOAD_JUMPER
        click_jumper = lambda: self.display.click(self.rect.x + jx + 17, self.rect.y + jy + 9)
        steps = [
            ("list Down: 120 ohm", lambda: self.pick_in_list(self.rect, LOAD_LIST, "Down"), "closed"),
            ("click the closed jumper", click_jumper, "open"),
            ("list Down from None: 120 ohm", lambda: self.pick_in_list(self.rect, LOAD_LIST, "Down"), "closed"),
            ("list Up: None", lambda: self.pick_in_list(self.rect, LOAD_LIST, "Up"), "open"),
            ("click the open jumper", click_jumper, "closed"),
            ("list Up from 120 ohm: None", lambda: self.pick_in_list(self.rect, LOAD_LIST, "Up"), "open"),
        ]
        for label, act, state in steps:
            with self.case(label):
                act()
                self.wait_jumper(state, label)


if __name__ == "__main__":
    unittest.main()
