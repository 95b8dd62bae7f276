"""Opening, holding and closing the groups' popups: hover, the Settings menu, and the
popups' own Previous, Next and Done buttons and close box."""

import unittest

from harness import (HELP, IRQ_JUMPERS, IRQ_LIST, MEMO_HEIGHT, PANELS, SETTINGS_ENTRIES, STATE_TIMEOUT,
                     STATUS_HEIGHT, ProgramTestCase, wait_until)


class PopupTestCase(ProgramTestCase):

    def setUp(self):
        super().setUp()
        # The help window opens by itself over the board; its close box puts it away
        # without opening any popup.
        with self.failure_screenshot("help"):
            self.program.window(HELP)
            self.close_help()

    def assert_only_shown(self, *titles):
        shown = {t for t in SETTINGS_ENTRIES if self.program.is_shown(t)}
        self.assertEqual(shown, set(titles), "popups on screen")


class HoverTest(PopupTestCase):

    def test_hover_opens_and_leaving_to_the_desktop_closes(self):
        self.hover("IRQ")
        self.popup("IRQ Level")
        self.leave_to_desktop("IRQ")
        self.program.wait_hidden("IRQ Level")
        self.assert_checks()

        # Each of the four base-address circles opens the one shared popup.
        for circle in ("BaseA", "BaseB", "BaseC", "BaseD"):
            with self.case("base-address circle", circle=circle):
                self.hover(circle)
                self.popup("Base Address")
                self.leave_to_desktop(circle)
                self.program.wait_hidden("Base Address")

    def test_moving_into_the_popup_keeps_it_until_the_pointer_leaves_the_popup(self):
        # Opened and closed once, so that it is shown again from its hidden state.
        self.hover("IRQ")
        self.popup("IRQ Level")
        self.leave_to_desktop("IRQ")
        self.program.wait_hidden("IRQ Level")

        self.hover("IRQ")
        popup = self.popup("IRQ Level")
        # Straight from the circle into the popup's empty left part, below its list.
        self.display.move(popup.x + 30, popup.y + 120)
        # Moving between the popup's controls must not close it either.
        list_x, list_y = popup.x + IRQ_LIST.x + 20, popup.y + IRQ_LIST.y + 10
        memo_y = popup.y + PANELS["IRQ Level"][1] + 1 + MEMO_HEIGHT // 2
        for x, y in ((list_x, list_y), (popup.x + 95, popup.y + 60), (popup.x + 60, memo_y),
                     (popup.x + 20, popup.y + 200)):
            self.display.glide(x, y, steps=4)
        # Clicking a jumper redraws it; once it shows closed, the program has handled
        # every movement above, so the popup's presence now means it stayed open.
        jx, jy = IRQ_JUMPERS[0]
        self.display.click(popup.x + jx + 17, popup.y + jy + 9)
        wait_until(lambda: self.jumper_state(self.display.screenshot(), popup, (jx, jy)) == "closed",
                   STATE_TIMEOUT, "the first IRQ jumper to show closed")
        self.assertTrue(self.program.is_shown("IRQ Level"), "the popup closed while the pointer was inside it")
        # Held by hover: the menu entry carries the check mark.
        self.assert_checks("IRQ Level")

        # Leaving the popup to the right, over the board's empty middle, closes it.
        self.display.move(popup.x + popup.w // 2, popup.y + 60)
        self.display.glide(popup.x + popup.w + 150, popup.y + 60)
        self.program.wait_hidden("IRQ Level")
        self.assert_checks()

    def test_click_holds_the_popup(self):
        self.hover("Load")
        self.popup("Load")
        self.display.click(*self.display.pointer())
        self.leave_to_desktop("Load")
        # Another group's popup coming and going orders the events: the leave above
        # was handled before it.
        self.hover("IRQ")
        self.popup("IRQ Level")
        self.leave_to_desktop("IRQ")
        self.program.wait_hidden("IRQ Level")
        self.assert_only_shown("Load")
        self.assert_checks("Load")


class MenuAndButtonsTest(PopupTestCase):

    def test_settings_menu_opens_and_closes_each_popup(self):
        for title in SETTINGS_ENTRIES:
            with self.case("menu entry", entry=title):
                self.choose_setting(title)
                self.popup(title)
                self.assert_only_shown(title)
                self.assert_checks(title)
                # The held popup stays while the pointer crosses the board.
                self.hover("BaseD")
                self.leave_to_desktop("BaseD")
                self.hover("IRQ")
                self.leave_to_desktop("IRQ")
                # Picking the checked entry closes the popup and clears the mark.
                self.choose_setting(title)
                self.program.wait_hidden(title)
                self.assert_checks()

    def test_previous_and_next_walk_the_groups_in_menu_order(self):
        self.choose_setting("Load")
        self.popup("Load")
        # Each step closes the current popup and holds the neighbour's, wrapping at the ends.
        walk = [("Load", "Next", "Base Address"),
                ("Base Address", "Previous", "Load"),
                ("Load", "Next", "Base Address"),
                ("Base Address", "Next", "IRQ Level"),
                ("IRQ Level", "Previous", "Base Address"),
                ("Base Address", "Previous", "Load"),
                ("Load", "Previous", "IRQ Level"),
                ("IRQ Level", "Next", "Load")]
        for current, button, target in walk:
            with self.case("%s from %s" % (button, current)):
                self.click_popup_button(current, button)
                self.popup(target)
                self.program.wait_hidden(current)
                self.assert_only_shown(target)
        self.assert_checks("Load")

    def test_done_and_close_box_hide_the_popup(self):
        for how in ("Done", "close box"):
            with self.case(how):
                self.choose_setting("Base Address")
                self.popup("Base Address")
                if how == "Done":
                    self.click_popup_button("Base Address", "Done")
                else:
                    self.click_close_box("Base Address")
                self.program.wait_hidden("Base Address")
                self.assert_checks()
        # A hidden popup opens again on hover, where it was before.
        before = self.popup_position_after_hover("BaseB")
        self.assertEqual(before, self.popup_position_after_hover("BaseD"))

    def popup_position_after_hover(self, circle):
        self.hover(circle)
        rect = self.popup("Base Address")
        self.leave_to_desktop(circle)
        self.program.wait_hidden("Base Address")
        return rect

    def test_popup_is_sized_to_its_contents(self):
        # Panel on top, then the memo, a row of buttons with their margins and the
        # status bar: the client area is 32 + memo + 19 pixels taller than the panel.
        for title in SETTINGS_ENTRIES:
            with self.case("popup size", popup=title):
                self.choose_setting(title)
                rect = self.popup(title)
                panel_w, panel_h = PANELS[title]
                self.assertEqual(rect.h, panel_h + 32 + MEMO_HEIGHT + STATUS_HEIGHT, "client height of %s" % title)
                self.assertGreaterEqual(rect.w, panel_w)
                self.click_popup_button(title, "Done")
                self.program.wait_hidden(title)


if __name__ == "__main__":
    unittest.main()
