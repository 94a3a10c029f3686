"""The program's windows on the screen, seen and clicked the way a person does: each window found by
its X class and size, each control by the rectangle the framework lays out for it, each state by
the skin's colours at known places."""
from desktop import wait_until

# Colours of the skin and the application's controls.
BLUE = 0x0D3AFF            # blue buttons; the "查看报告" links
BLUE_HOT = 0x4265FF        # blue buttons under the pointer
BLUE_DISABLED = 0x5E7CFF   # "立即修复" until the scan ends
SELECTED_BAR = 0x1196FF    # bar of the selected category entry
PROGRESS_FILL = 0x1196FF   # the scan's progress bar
ROW_BACKGROUND = 0xF5F5F5  # finding and repair rows
DONE_GREEN = 0x28C445      # "DLL错误修复完成", "已完成"
FAILURE_RED = 0xF24D4D     # "DLL错误修复未完成", "修复失败"
LINE_BORDER = 0xE6E6E6     # detail lines of a report
BUTTON_BLUES = (BLUE, BLUE_HOT)

MAIN_SIZE = (1100, 824)
LIST_REPORT_SIZE = (750, 600)
DLL_REPORT_SIZE = (554, 264)
SERVICE_SIZE = (450, 450)

# A point inside a button's background, clear of its rounded corner and its centred text.
INSET = 6
REPORT_LINK_MIN_LENGTH = 30


class OnScreen:
    """One window of the program with the layout its skin window gets."""

    def __init__(self, display, layout, window, skin_window):
        self.display = display
        self.layout = layout
        self.window = window
        self.skin_window = skin_window

    @property
    def rect(self):
        return self.window.rect

    def control(self, state, control):
        return self.layout.rect(self.skin_window, state, control).moved(self.rect.left, self.rect.top)

    def click(self, state, control):
        self.display.click(*self.control(state, control).centre())

    def background(self, state, control):
        rect = self.control(state, control)
        return self.display.pixel(rect.left + INSET, rect.top + INSET)

    def grab(self, state, control):
        return self.display.grab(self.control(state, control))


class AppScreen:
    """The running program: its process and its windows on the display."""

    def __init__(self, display, layout, wm_class, process):
        self.display = display
        self.layout = layout
        self.wm_class = wm_class
        self.process = process

    def running(self):
        return self.process.poll() is None

    def wait(self, what, condition, timeout=60):
        return wait_until(what, condition, timeout, self.running)

    def window_of_size(self, size):
        for window in self.display.windows(self.wm_class):
            if (window.rect.width, window.rect.height) == size:
                return window
        return None

    def wait_for_window(self, what, size, skin_window, timeout=60):
        window = self.wait(f"the {what} window to show", lambda: self.window_of_size(size), timeout)
        return OnScreen(self.display, self.layout, window, skin_window)

    def wait_until_gone(self, what, screen, timeout=60):
        self.wait(f"the {what} window to go",
                  lambda: all(window.xid != screen.window.xid for window in self.display.windows(self.wm_class)),
                  timeout)

    def wait_for_button(self, what, screen, state, control, colours=BUTTON_BLUES, timeout=60):
        self.wait(what, lambda: screen.background(state, control) in colours, timeout)

    def move_pointer_away(self):
        """Off the program's windows, so that no control shows its hover look."""
        self.display.move_pointer(0, 0)

    def wait_until_settled(self, rect, timeout=30):
        """Until two grabs a moment apart show the same pixels: the window has finished painting."""
        last = [None]

        def same_as_before():
            data = self.display.grab(rect).data
            settled = data == last[0]
            last[0] = data
            return settled

        self.wait("the window to finish painting", same_as_before, timeout)


def report_link(shot):
    """The point to click on the top-most "查看报告" link of a result list, or None: its blue
    underline is the only long run of that colour in a list; the text sits just above it."""
    runs = shot.runs(BLUE, REPORT_LINK_MIN_LENGTH)
    if not runs:
        return None
    first, last, y = runs[0]
    return ((first + last) // 2, y - 5)


def count_line_boxes(shot, x):
    """How many bordered lines of a report's list cross the column x (clear of their icon and
    text): each box has a top and a bottom edge into the border colour."""
    edges = 0
    previous = None
    for y in range(shot.rect.top, shot.rect.bottom):
        colour = shot.pixel(x, y)
        if colour == LINE_BORDER and previous != LINE_BORDER:
            edges += 1
        previous = colour
    return edges // 2
