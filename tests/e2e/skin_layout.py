"""Where the controls of the application's windows sit, as the framework itself lays out the
exe's embedded skin (SkinLayoutDump.exe): rectangles in window pixels by window, state and id."""
from desktop import Failure, Rect


class SkinLayout:
    def __init__(self, lines):
        self.rects = {}
        for line in lines:
            fields = line.split()
            if len(fields) != 7:
                continue
            window, state, control = fields[:3]
            self.rects[(window, state, int(control))] = Rect(*map(int, fields[3:]))
        if not self.rects:
            raise Failure("SkinLayoutDump.exe printed no control rectangles")

    @classmethod
    def of_exe(cls, machine, dump_exe):
        return cls(machine.run_program(dump_exe).splitlines())

    def rect(self, window, state, control):
        try:
            return self.rects[(window, state, control)]
        except KeyError:
            raise Failure(f"no control {control} in the {window} window's {state} layout") from None
