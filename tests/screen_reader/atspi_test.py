"""Reads Blendora over AT-SPI as a screen reader does: the names, roles and states of its
controls, and after a calculation the results' texts and descriptions.
Usage: atspi_test.py PROGRAM (under run.sh)."""
import sys

import pyatspi
from gi.repository import GLib

from desktop import Desktop, wait_for

DESCRIPTION_CHANGE = "object:property-change:accessible-description"
FOCUS_CHANGE = "object:state-changed:focused"
FIRST_CELL = (144, 77, "Вариант 1, % - 1")  # where to click, and its name
CALCULATE = (48, 20)
CLEAR = (464, 20)

failures = []
checks = 0


def check(condition, message):
    global checks
    checks += 1
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        child = desktop.getChildAtIndex(index)
        if child is not None and child.name == name:
            return child
    return None


def descendants(node):
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield child
            yield from descendants(child)


def states(node):
    return {pyatspi.stateToString(state) for state in node.getState().getStates()}


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def description_changes(desktop, action):
    """The accessible-description changes the program sends while `action` runs. A click into
    the first cell follows the action: the program sends its events in order, so once that
    cell's focus has arrived, everything the action caused has arrived before it."""
    seen = []
    barrier = []
    on_description = lambda event: seen.append(event.source.name)

    def on_focus(event):
        if event.detail1 == 1 and event.source.name == FIRST_CELL[2]:
            barrier.append(event)

    pyatspi.Registry.registerEventListener(on_description, DESCRIPTION_CHANGE)
    pyatspi.Registry.registerEventListener(on_focus, FOCUS_CHANGE)
    action()
    desktop.click(*FIRST_CELL[:2])
    context = GLib.MainContext.default()

    def focus_arrived():
        while context.iteration(False):
            pass
        return bool(barrier)

    wait_for(focus_arrived, 30, "the first cell's focus")
    pyatspi.Registry.deregisterEventListener(on_description, DESCRIPTION_CHANGE)
    pyatspi.Registry.deregisterEventListener(on_focus, FOCUS_CHANGE)
    return seen


def main(program):
    with Desktop(program) as desktop:
        desktop.start_program()
        wait_for(lambda: application("blendora") is not None, 30, "blendora on the bus")
        nodes = {(node.getRoleName(), node.name): node
                 for node in descendants(application("blendora"))}
        cells = {name: node for (role, name), node in nodes.items()
                 if role == "text" and name.startswith("Вариант ")}
        check(len(cells) == 42, f"42 cells, found {len(cells)}")

        # role, name: states it must have, states it must not have
        expected = {
            ("push button", "Изчисли"): ({"focusable", "enabled"}, set()),
            ("push button", "Изчисти"): ({"focusable", "enabled"}, set()),
            ("radio button", "Вариант 1"): ({"checked", "focusable"}, set()),
            ("radio button", "Вариант 7"): (set(), {"checked"}),
            ("panel", "Варианти"): (set(), set()),
            ("text", "Задание"): ({"read only", "multi line"}, set()),
            ("text", "Вариант 1, % - 1"): ({"editable", "focusable", "enabled"}, {"read only"}),
            ("text", "Вариант 2, % - 1"): ({"read only", "focusable"}, set()),
            ("text", "Вариант 1, Смес %, резултат"):
                ({"read only"}, {"editable", "focusable", "enabled", "sensitive"}),
            ("text", "Вариант 7, Тегло 2, резултат"):
                ({"read only"}, {"editable", "focusable", "enabled"}),
            ("label", "Смес т."): (set(), {"focusable"}),
        }
        for (role, name), (present, absent) in expected.items():
            node = nodes.get((role, name))
            check(node is not None, f"no {role} named {name!r}")
            if node is not None:
                seen = states(node)
                check(present <= seen, f"{name!r} lacks {present - seen}")
                check(not absent & seen, f"{name!r} should not be {absent & seen}")

        for x, text in ((144, "30"), (208, "200"), (272, "40"), (336, "300")):
            desktop.click(x, 77)
            desktop.type(text)
        changed = description_changes(desktop, lambda: desktop.click(*CALCULATE))
        results = {"Вариант 1, Смес %, резултат": ("36", "Смес % = (200 × 30 + 300 × 40) / 500 = 36"),
                   "Вариант 1, Смес т., резултат": ("500", "Смес т. = 200 + 300 = 500")}
        for name, (text, description) in results.items():
            check(text_of(cells[name]) == text, f"{name!r} reads {text_of(cells[name])!r}")
            check(cells[name].description == description,
                  f"{name!r} is described as {cells[name].description!r}")
        check(sorted(changed) == sorted(results), f"descriptions sent on Calculate: {changed}")
        changed = description_changes(desktop, lambda: desktop.click(*CLEAR))
        check(sorted(changed) == sorted(results), f"descriptions sent on Clear: {changed}")
        changed = description_changes(desktop, lambda: desktop.click(*CLEAR))
        check(changed == [], f"descriptions sent on a second Clear: {changed}")

    print(f"{checks - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
