"""Works Blendora's page in Chromium with the keyboard while Orca runs, and checks what Orca
says. Usage: orca_web_test.py SITE (under run.sh), SITE being the folder scripts/web.sh builds."""
import json
import re
import subprocess
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


# Under Node, a module of the site (the teaching one, blendora-teaching.wasm, or the reader's)
# says what the page will show: `withText(text, use)` calls use with a pointer to the text in the
# module's memory.
MODULE_SCRIPT = """
import { readFileSync } from 'node:fs';
const bytes = readFileSync(`${process.argv[1]}/MODULE.wasm`);
const { instance } = await WebAssembly.instantiate(bytes, {
  env: { emscripten_notify_memory_growth: () => {} }, wasi_snapshot_preview1: { proc_exit: () => {} } });
const module = instance.exports;
module._initialize();
const read = (pointer) => {
  const bytes = new Uint8Array(module.memory.buffer, pointer);
  return new TextDecoder().decode(bytes.subarray(0, bytes.indexOf(0)));
};
const withText = (text, use) => {
  const encoded = new TextEncoder().encode(text);
  const pointer = module.malloc(encoded.length + 1);
  new Uint8Array(module.memory.buffer, pointer, encoded.length + 1).set([...encoded, 0]);
  return use(pointer);
};
"""

# After one press of "Нова задача": the problem, the question of its last box (Shift+Tab from
# "Нова задача" reaches it), and what is said of the answer "1" in that box.
PRACTICE_SCRIPT = MODULE_SCRIPT.replace("MODULE", "blendora-teaching") + """
module.blendora_practice_next();
const { boxes } = JSON.parse(read(module.blendora_practice_state()));
// The boxes' answers a line each: the others empty, "1" in the last.
withText(`${'\\n'.repeat(boxes.length - 1)}1`, module.blendora_practice_check);
const { text, feedback } = JSON.parse(read(module.blendora_practice_state()));
console.log(JSON.stringify({ text, question: boxes.at(-1).label, feedback }));
"""

# The textbook's example, and the answer "Моята задача" gives it, as a screen reader hears it.
EXAMPLE = ("Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да се получи 8% "
           "разтвор?")
MY_PROBLEM_SCRIPT = MODULE_SCRIPT.replace("MODULE", "blendora-reader") + """
const { solution } = JSON.parse(read(withText(process.argv[2], module.blendora_my_problem_read)));
const [text, spoken] = solution.lines.find(([line]) => line.startsWith('Отговор:'));
console.log(JSON.stringify(spoken ?? text));
"""


def teaching_words(script, site, *arguments):
    ran = subprocess.run(["node", "--input-type=module", "-e", script, site, *arguments],
                         capture_output=True, text=True, check=True)
    return json.loads(ran.stdout)


def first_sentence(text):
    """Orca may say a text of several sentences in as many utterances."""
    return re.split(r"(?<=[.?!…])\s", text)[0]


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
        # Now and then, on a busy machine, Orca says nothing of that first Tab; then the same
        # step back and forward must be heard.
        heard(desktop, lambda: desktop.key("Tab"), ["Вариант 1, % - 1 entry"], unexpected=["Translate"],
              whole=True, asked=lambda: desktop.key("shift+Tab", "Tab"))
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
        # Below the window, the practice: a new problem is read out; back in its box, the box's
        # question; and what is said of the answer.
        practice = teaching_words(PRACTICE_SCRIPT, site)
        tab_to(desktop, "Нова задача")
        heard(desktop, lambda: desktop.key("Return"), [first_sentence(practice["text"])])
        heard(desktop, lambda: desktop.key("shift+Tab"), [practice["question"]])
        desktop.type("1")
        heard(desktop, lambda: desktop.key("Return"), [first_sentence(practice["feedback"])])
        # Below the practice, the pupil's own problem: the textbook's example pasted into its box,
        # and after "Реши" its answer is read out.
        answer = teaching_words(MY_PROBLEM_SCRIPT, site, EXAMPLE)
        tab_to(desktop, "Текст на задачата")
        desktop.paste(EXAMPLE)
        tab_to(desktop, "Реши")
        heard(desktop, lambda: desktop.key("Return"), [first_sentence(answer)])
    return tally()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
