"""Works Blendora with the keyboard and the mouse while Orca runs, and checks what Orca says
(the "SPEECH OUTPUT:" lines of its debug file). Usage: orca_test.py PROGRAM (under run.sh)."""
import sys
import time

from desktop import Desktop

results = []


def heard(desktop, action, expected, unexpected=(), seconds=30):
    """Runs `action` and waits until Orca has said every text in `expected`."""
    before = len(desktop.spoken())
    action()
    deadline = time.monotonic() + seconds
    said = []
    while time.monotonic() < deadline:
        said = desktop.spoken()[before:]
        if all(any(text in line for line in said) for text in expected):
            break
        time.sleep(0.2)
    desktop.wait_until_quiet()  # what follows belongs to this action too
    said = desktop.spoken()[before:]
    missing = [text for text in expected if not any(text in line for line in said)]
    wrong = [text for text in unexpected if any(text in line for line in said)]
    results.append(not missing and not wrong)
    print(("ok" if results[-1] else "FAIL") + f": {said}")
    if missing or wrong:
        print(f"      missing {missing}, unexpected {wrong}")


def tally():
    """Prints how many checks passed and returns the exit status."""
    failed = results.count(False)
    print(f"{len(results) - failed} passed, {failed} failed")
    return 1 if failed else 0


def main(program):
    with Desktop(program) as desktop:
        # Orca first, so that it is listening when the window takes the focus.
        desktop.start_orca()
        heard(desktop, desktop.start_program, ["Blendora"], seconds=30)
        heard(desktop, lambda: desktop.key("Tab"), ["Вариант 1, % - 1"])
        heard(desktop, lambda: desktop.type("30"), ["3", "0"])
        for text in ("200", "40"):
            heard(desktop, lambda: desktop.key("Tab"), ["Вариант 1, "])
            desktop.type(text)
        heard(desktop, lambda: desktop.key("Tab"), ["Вариант 1, Тегло 2"])
        desktop.type("300")
        heard(desktop, lambda: desktop.key("Return"), ["Смес % 36, Смес т. 500"])
        heard(desktop, lambda: desktop.click(208, 77), ["Вариант 1, Тегло 1 200"])
        desktop.click(464, 20)  # Изчисти
        heard(desktop, lambda: desktop.click(144, 77), ["Вариант 1, % - 1"])
        # Empty givens: the message box alone speaks, and no result is announced.
        heard(desktop, lambda: desktop.key("Return"), ["Препълване", "Дадените клетки са празни"],
              unexpected=["Смес т. "])
        heard(desktop, lambda: desktop.key("Return"), ["Вариант 1, % - 1"])
    return tally()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
