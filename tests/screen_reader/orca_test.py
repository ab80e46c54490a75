"""Works Blendora with the keyboard and the mouse while Orca runs, and checks what Orca says
(the "SPEECH OUTPUT:" lines of its debug file). Usage: orca_test.py PROGRAM (under run.sh)."""
import re
import sys
import time

from desktop import Desktop

results = []

# A problem as the textbook prints it, for the pupil's own problem (F3).
TEXTBOOK_PROBLEM = ("Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, "
                    "за да се получи 8% разтвор?")


def words(utterance):
    """One utterance without Orca's quotes, its full stop and the voice settings after them:
    "'3 ' {'established': False}" is "3"."""
    quoted = re.match(r"^'(.*)'\s*\{.*\}$", utterance)
    return (quoted.group(1) if quoted else utterance).strip().rstrip(".").strip()


def heard(desktop, action, expected, unexpected=(), seconds=30, whole=False, asked=None):
    """Runs `action` and waits until Orca has said every text in `expected`: within an
    utterance, or with `whole` as the whole of one, so that "3" is not found in "30". Where
    Orca has not, `asked` is what a listener does to have it said again."""
    def said_it(text, said):
        return any(words(line) == text if whole else text in line for line in said)

    def wait():
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if all(said_it(text, desktop.spoken()[before:]) for text in expected):
                return True
            time.sleep(0.2)
        return False

    before = len(desktop.spoken())
    action()
    if not wait() and asked:
        print(f"asked again: {desktop.spoken()[before:]}")
        asked()
        wait()
    desktop.wait_until_quiet()  # what follows belongs to this action too
    said = desktop.spoken()[before:]
    missing = [text for text in expected if not said_it(text, said)]
    wrong = [text for text in unexpected if any(text in line for line in said)]
    results.append(not missing and not wrong)
    print(("ok" if results[-1] else "FAIL") + f": {said}")
    if missing or wrong:
        print(f"      missing {missing}, unexpected {wrong}")


def back_from_solution(desktop):
    desktop.key("F1")
    desktop.wait_until_quiet()
    desktop.key("Escape")


def down_to(desktop, text, limit=4, within=""):
    """Presses Down until Orca says `text`, and with it `within`: a paragraph takes as many
    lines as the window wraps it into."""
    for _ in range(limit):
        before = len(desktop.spoken())
        desktop.key("Down")
        desktop.wait_until_quiet()
        said = [line for line in desktop.spoken()[before:] if text in line]
        if said:
            results.append(any(within in line for line in said))
            print(("ok" if results[-1] else f"FAIL: without {within}") + f": {said}")
            return
    results.append(False)
    print(f"FAIL: {limit} presses of Down never reached {text}")


def tally():
    """Prints how many checks passed and returns the exit status."""
    failed = results.count(False)
    print(f"{len(results) - failed} passed, {failed} failed")
    return 1 if failed else 0


def main(program):
    with Desktop(program) as desktop:
        # Orca first, so that it is listening when the window takes the focus.
        desktop.start_orca()
        # Orca names the window as it takes the focus. Now and then, on a busy machine, the
        # window's first activation reaches Orca before it listens; then the window must be
        # named when it takes the focus back from the solution's (F1, Esc).
        heard(desktop, desktop.start_program, ["Blendora"], seconds=30,
              asked=lambda: back_from_solution(desktop))
        # Each cell by its whole name, so that a Tab order with two cells swapped fails.
        heard(desktop, lambda: desktop.key("Tab"), ["Вариант 1, % - 1 text"], whole=True)
        heard(desktop, lambda: desktop.type("30"), ["3", "0"], whole=True)
        for name, text in (("Тегло 1", "200"), ("% - 2", "40")):
            heard(desktop, lambda: desktop.key("Tab"), [f"Вариант 1, {name} text"], whole=True)
            desktop.type(text)
        heard(desktop, lambda: desktop.key("Tab"), ["Вариант 1, Тегло 2 text"], whole=True)
        desktop.type("300")
        heard(desktop, lambda: desktop.key("Return"), ["Смес % 36, Смес т. 500"])
        # F1: the step-by-step solution's window, read line by line; Esc goes back to the cell.
        heard(desktop, lambda: desktop.key("F1"), ["Решение"])
        # Orca reads the line as the window wraps it.
        heard(desktop, lambda: desktop.key("Down"), ["Дадено: първата съставка има маса 200"])
        down_to(desktop, "Търси се: процентът и масата на сместа")
        # A table's row is heard whole: to its last digit, and not into the next row.
        heard(desktop, lambda: desktop.key("Down"), ["маса\tпроцент\tчисто вещество"], whole=True)
        heard(desktop, lambda: desktop.key("Down"),
              ["първа съставка\t200\t30%\t200 · 30 : 100 = 60"], whole=True)
        heard(desktop, lambda: desktop.key("Escape"), ["Вариант 1, Тегло 2"])
        heard(desktop, lambda: desktop.click(208, 77), ["Вариант 1, Тегло 1 200"])
        desktop.click(464, 20)  # Изчисти
        heard(desktop, lambda: desktop.click(144, 77), ["Вариант 1, % - 1"])
        # Empty givens: the message box alone speaks, and no result is announced.
        heard(desktop, lambda: desktop.key("Return"), ["Препълване", "Дадените клетки са празни"],
              unexpected=["Смес т. "])
        heard(desktop, lambda: desktop.key("Return"), ["Вариант 1, % - 1"])
        # F2: the practice beside the window. The problem is heard, then its box by its
        # question, then what is said of an answer, without the focus leaving the box.
        heard(desktop, lambda: desktop.key("F2"),
              ["Задача 1", "Колко килограма сплав с 10% калай"])
        heard(desktop, lambda: desktop.key("Tab"), ["Колко килограма сплав с 10% калай?"])
        desktop.type("8")
        heard(desktop, lambda: desktop.key("Return"), ["Не е вярно"])
        heard(desktop, lambda: desktop.key("BackSpace"), ["8"])
        desktop.type("12")
        heard(desktop, lambda: desktop.key("Return"), ["Вярно!"])
        heard(desktop, lambda: desktop.key("Escape"), ["Вариант 1, % - 1"])
        # F3: the pupil's own problem, typed as the textbook prints it. After Реши the focus is
        # in the result, which is read line by line down to the answer.
        heard(desktop, lambda: desktop.key("F3"), ["Моята задача", "Текст на задачата"])
        results.append(desktop.focused_frame_on_screen())
        print(("ok" if results[-1] else "FAIL") + ": the window and its frame are on the screen")
        desktop.type(TEXTBOOK_PROBLEM)
        heard(desktop, lambda: desktop.key("Tab"), ["Реши"])
        heard(desktop, lambda: desktop.key("space"), ["Решение"])
        down_to(desktop, "Дадено:")
        down_to(desktop, "Отговор:", limit=40, within="100 г")
        # A number's role, changed with the arrow keys: what the roles give now is spoken.
        heard(desktop, lambda: desktop.key("Tab"), ["400 г", "масата на разтвора"])
        heard(desktop, lambda: desktop.key("End"), ["не е нужно", "Не разбрах"])
        heard(desktop, lambda: desktop.key("Escape"), ["Вариант 1, % - 1"])
    return tally()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
