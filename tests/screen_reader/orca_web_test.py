"""Works Blendora's page in Chromium with the keyboard while Orca runs, and checks what Orca
says. Usage: orca_web_test.py SITE (under run.sh), SITE being the folder scripts/web.sh builds."""
import sys
import time

from desktop import Desktop
from orca_test import heard, tally


def tab_to(desktop, name, limit=80):
    """Presses Tab until Orca names the field. Each press waits for Orca's answer, or for a
    few seconds where the focus has left the page and Orca has nothing to say."""
    for _ in range(limit):
        before = len(desktop.spoken())
        desktop.key("Tab")
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            said = desktop.spoken()[before:]
            if any(name in line for line in said):
                desktop.wait_until_quiet()
                return
            if any("tab" not in line for line in said):
                break
            time.sleep(0.1)
    raise TimeoutError(f"{limit} presses of Tab never reached {name}")


def main(site):
    with Desktop(site) as desktop:
        # Orca comes to the page once it has loaded: now and then Orca 43 takes the events
        # of a page's loading out of order, and then believes to the end that the page is
        # still loading and says nothing of what changes on it, such as the fault dialog.
        desktop.start_page()
        desktop.start_orca()
        desktop.wait_until_quiet(quiet=3, seconds=60)
        # The page starts with the focus in the assignment; where Orca met the page with the
        # focus elsewhere, Tab brings it there. From there one Tab must reach the first cell, as
        # the window's keyboard order has it.
        if not any("Задание" in line for line in desktop.spoken()):
            tab_to(desktop, "Задание")
        heard(desktop, lambda: desktop.key("Tab"), ["Вариант 1, % - 1 entry"], unexpected=["Translate"],
              whole=True)
        # Enter on the empty cells is a fault, and no result is announced; Добре closes it and
        # the focus comes back.
        heard(desktop, lambda: desktop.key("Return"), ["Препълване", "Дадените клетки са празни"],
              unexpected=["Смес т. "])
        heard(desktop, lambda: desktop.key("Return"), ["Вариант 1, % - 1"])
        desktop.type("30")
        for name, text in (("Тегло 1", "200"), ("% - 2", "40"), ("Тегло 2", "300")):
            heard(desktop, lambda: desktop.key("Tab"), [f"Вариант 1, {name} entry"], whole=True)
            desktop.type(text)
        heard(desktop, lambda: desktop.key("Return"), ["Смес % 36, Смес т. 500"])
    return tally()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
