"""Start-up, the help window's Start button, and ending the program."""

import time
import unittest

from harness import (BOARD_SIZE, CIRCLES, HELP, NORMAL_ALPHA, WINDOW_TIMEOUT, YELLOW, ProgramTestCase, Rect,
                     ellipse_radius, rect_centre, tint_strength, tinted, wait_until)


class StartUpTest(ProgramTestCase):

    def test_main_window_opens_maximised_and_help_follows_by_itself(self):
        states = self.display.window_states(self.main)
        self.assertTrue({"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"} <= states,
                        "main window states: %s" % sorted(states))

        # Maximised means the frame fills the work area that the window manager offers.
        main = self.main_rect
        left, right, top, bottom = self.display.frame_extents(self.main)
        outer = Rect(main.x - left, main.y - top, main.w + left + right, main.h + top + bottom)
        self.assertEqual(outer, self.display.work_area())

        # The help window comes on its own, without any input, shortly after the start.
        self.program.window(HELP, timeout=WINDOW_TIMEOUT)
        self.assertLess(time.monotonic() - self.started_at, 15, "the help window took too long to appear")
        # No group's popup opens before the user asks for one.
        for title in ("Base Address", "IRQ Level", "Load"):
            self.assertFalse(self.program.is_shown(title), "%s popup open at start-up" % title)

    def test_board_shows_the_card_with_yellow_rings_over_the_circles(self):
        # The help window covers part of the board; its close box hides it without
        # opening anything, so every circle is in its normal look afterwards.
        self.program.window(HELP)
        self.close_help()
        self.assertFalse(self.program.is_shown("Base Address"), "closing the help window opened a popup")

        ox, oy = self.board_origin()
        boxes = {name: Rect(ox + x, oy + y, w, h) for name, (x, y, w, h) in CIRCLES.items()}

        inside = {(x, y) for bx, by, w, h in CIRCLES.values() for y in range(by, by + h) for x in range(bx, bx + w)
                  if ellipse_radius(x - bx, y - by, w, h) < 1.0}

        def mismatches_outside_rings():
            shot = self.display.screenshot()
            wrong = []
            for y in range(BOARD_SIZE[1]):
                # Whole rows are compared first; only rows that differ are looked at pixel by pixel.
                if shot.row(ox, oy + y, BOARD_SIZE[0]) == self.card.row(0, y, BOARD_SIZE[0]):
                    continue
                for x in range(BOARD_SIZE[0]):
                    if (x, y) not in inside and shot.pixel(ox + x, oy + y) != self.card.pixel(x, y):
                        wrong.append((x, y, shot.pixel(ox + x, oy + y), self.card.pixel(x, y)))
            return shot, wrong

        # The help window's frame may still be leaving the screen; poll until the
        # picture is clean outside the rings.
        result = {}

        def clean():
            result["shot"], result["wrong"] = mismatches_outside_rings()
            return not result["wrong"]
        try:
            wait_until(clean, 10, "the board to equal the card picture outside the rings", interval=0.3)
        except AssertionError:
            wrong = result["wrong"]
            self.fail("%d board pixels differ from the card picture outside the rings; first ones "
                      "(board x, y, screen, picture): %s" % (len(wrong), wrong[:8]))
        shot = result["shot"]

        for name, (bx, by, w, h) in CIRCLES.items():
            with self.case(name):
                box = boxes[name]
                off = []
                ring_raised = 0
                ring_pixels = 0
                for y in range(h):
                    for x in range(w):
                        r = ellipse_radius(x, y, w, h)
                        if r >= 1.0:
                            continue
                        base = self.card.pixel(bx + x, by + y)
                        seen = shot.pixel(box.x + x, box.y + y)
                        expected = tinted(base, YELLOW, tint_strength(r) * NORMAL_ALPHA)
                        if any(abs(a - b) > 2 for a, b in zip(seen, expected)):
                            off.append((x, y, seen, expected))
                        if abs(r - 0.875) < 0.04:
                            ring_pixels += 1
                            # Yellow pulls red and green up and blue down.
                            if (seen[0] >= base[0] and seen[1] >= base[1] and seen[2] <= base[2]
                                    and (seen[0] > base[0] or seen[1] > base[1] or base[:2] == (255, 255))):
                                ring_raised += 1
                self.assertGreater(ring_pixels, 10)
                self.assertEqual(ring_raised, ring_pixels, "ring pixels not tinted yellow")
                self.assertEqual(off, [], "pixels of the %s circle that do not show the normal look "
                                          "(x, y, screen, expected)" % name)


class StartButtonTest(ProgramTestCase):

    def test_start_opens_base_address_held(self):
        self.program.window(HELP)
        self.start_help()
        popup = self.popup("Base Address")
        # The popup carries the base-address panel with the switches for the first address.
        self.assertEqual(self.read_switches(self.display.screenshot(), popup), self.switches_for(0x200))

        # The four base-address circles are one group: all of them light up together.
        shot = self.display.screenshot()
        for name in ("BaseA", "BaseB", "BaseC", "BaseD"):
            with self.case("lit", circle=name):
                self.assertTrue(self.ring_is_lit(shot, name), "the %s circle is not lit" % name)

        self.assert_checks("Base Address")

        # Held: wandering over the board, across the group's circles, through the popup
        # and out to the desktop leaves it open.
        origin = self.board_origin()
        path = [self.circle_rect("BaseB"), self.circle_rect("BaseC"), self.circle_rect("BaseA")]
        for circle in path:
            self.display.glide(*rect_centre(circle))
        self.display.glide(popup.x + popup.w // 2, popup.y + 20)
        self.display.glide(origin[0] + 300, origin[1] + 100)
        self.display.glide(origin[0] + BOARD_SIZE[0] + 60, origin[1] + 100)
        self.display.glide(origin[0] + BOARD_SIZE[0] + 60, origin[1] + BOARD_SIZE[1] + 60)
        self.display.glide(*self.desktop_point())

        # Hovering another circle and leaving it to the desktop is processed after all
        # the movements above, so once its popup has come and gone the program has
        # seen the whole walk.
        self.hover("IRQ")
        self.popup("IRQ Level")
        self.leave_to_desktop("IRQ")
        self.program.wait_hidden("IRQ Level")
        self.assertTrue(self.program.is_shown("Base Address"), "the held popup closed while the pointer wandered")
        self.assert_checks("Base Address")

    def ring_is_lit(self, shot, name):
        """Whether a circle shows more than its normal look: its ring line is brighter
        than the normal look would make it."""
        bx, by, w, h = CIRCLES[name]
        box = self.circle_rect(name)
        brighter = total = 0
        for y in range(h):
            for x in range(w):
                r = ellipse_radius(x, y, w, h)
                if abs(r - 0.875) < 0.03:
                    base = self.card.pixel(bx + x, by + y)
                    normal = tinted(base, YELLOW, tint_strength(r) * NORMAL_ALPHA)
                    seen = shot.pixel(box.x + x, box.y + y)
                    total += 1
                    if seen[0] + seen[1] > normal[0] + normal[1] + 20:
                        brighter += 1
        return total > 0 and brighter > total * 0.8


class ExitTest(ProgramTestCase):

    def end_and_expect_status_zero(self, how):
        self.expect_exit = True
        how()
        status = self.program.wait_exit()
        self.assertEqual(status, 0, "exit status; program output:\n%s" % self.program.log_tail())

    def file_exit(self):
        self.program.open_menu("f", 1)
        self.display.key("e")

    def test_file_exit_right_after_start(self):
        self.program.window(HELP)
        self.end_and_expect_status_zero(self.file_exit)

    def test_file_exit_with_held_and_hovered_popups(self):
        # Popups belong to their circles; ending the program with some of them on
        # screen must still end it cleanly.
        self.program.window(HELP)
        self.start_help()
        self.popup("Base Address")
        self.hover("IRQ")
        self.popup("IRQ Level")
        self.end_and_expect_status_zero(self.file_exit)

    def test_file_exit_after_start_and_a_popup_from_the_settings_menu(self):
        self.program.window(HELP)
        self.start_help()
        self.popup("Base Address")
        self.choose_setting("Load")
        self.popup("Load")
        self.end_and_expect_status_zero(self.file_exit)

    def test_close_box_of_main_window(self):
        self.program.window(HELP)
        self.start_help()
        self.popup("Base Address")
        self.end_and_expect_status_zero(lambda: self.click_close_box("Setup"))


if __name__ == "__main__":
    unittest.main()
