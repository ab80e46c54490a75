#!/usr/bin/python3
"""Reads Blendora's cells the way a screen reader does, over AT-SPI, and checks their names,
texts and states. Run by scripts/atspi-check.sh, which starts the program and the bus."""
import sys

import pyatspi


def find_application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        application = desktop.getChildAtIndex(index)
        if application is not None and application.name == name:
            return application
    return None


def cells(node, found):
    if node is None:
        return found
    if node.getRole() == pyatspi.ROLE_ENTRY or node.name.startswith("Вариант ") and "," in node.name:
        found.append(node)
    for index in range(node.childCount):
        cells(node.getChildAtIndex(index), found)
    return found


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def main():
    application = find_application("blendora")
    if application is None:
        print("blendora is not on the accessibility bus")
        return 1
    entries = {node.name: node for node in cells(application, [])}
    failures = []
    # name: (text, enabled, read-only)
    expected = {
        "Вариант 1, % - 1": ("30", True, False),
        "Вариант 1, Смес %, резултат": ("36", False, False),
        "Вариант 1, Смес т., резултат": ("500", False, False),
        "Вариант 2, % - 1": ("", True, True),
    }
    for name, want in expected.items():
        node = entries.get(name)
        if node is None:
            failures.append(f"no cell named {name!r}")
            continue
        states = node.getState()
        seen = (text_of(node), states.contains(pyatspi.STATE_ENABLED),
                states.contains(pyatspi.STATE_READ_ONLY))
        print(f"{name!r}: text {seen[0]!r}, enabled {seen[1]}, read-only {seen[2]}")
        if seen != want:
            failures.append(f"{name!r}: expected {want}, saw {seen}")
    print(f"{len(entries)} named cells on the bus")
    if len(entries) != 42:
        failures.append(f"expected 42 cells, found {len(entries)}")
    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(expected) + 1 - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
