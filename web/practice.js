// The practice below the calculator: word problems from a numbered sheet, one at a time, at the
// level the pupil chooses; a box for each quantity asked, the check, the school solution a hint at
// a time or whole, the problem put into the grid, the count for the visit, and the teacher's sheet
// of the same number and level, to print. main.js asks for this module once the page is ready:
// the section is built then, from the teaching module's texts, with its own style sheet. Nothing
// is stored and nothing is sent; the address holds the problem, so that a link gives it again.
import { practiceLinkOf, practiceOf } from './link.js';
import { onFirstUse } from './sheet.js';
import { loadTeaching, SolutionRegion } from './solution.js';

// root: the form, which the section ends; announcer: the page's live region; enterIntoGrid(variant,
// givens): the calculator's; keepAddress(): gives the address back to the calculator's problem.
export async function startPractice({ root, announcer, enterIntoGrid, keepAddress }) {
  const [practice] = await Promise.all([loadPractice(), loadStyle()]);
  const texts = practice.texts();
  const view = buildSection(texts);
  const solution = new SolutionRegion(view.solution);
  // The state last shown; none before the first.
  let shown = null;

  // Everything from the module's state. The boxes are made anew only for another problem, so
  // that what the pupil typed stays through a check and a hint, and the teacher's sheet only for
  // another sheet.
  function refresh() {
    const state = practice.state();
    const differs = (...parts) => !shown || parts.some((part) => shown.source[part] !== state.source[part]);
    const [otherProblem, otherSheet] = [differs('sheet', 'level', 'place'), differs('sheet', 'level')];
    if (otherProblem) {
      view.text.textContent = state.text;
      view.answers.replaceChildren(...state.boxes.map(answerBox));
    }
    view.levels[state.source.level].checked = true;
    view.feedback.textContent = state.feedback;
    view.tally.textContent = state.tally;
    view.hint.setAttribute('aria-disabled', String(!state.hasMoreHints));
    view.showSolution.setAttribute('aria-disabled', String(state.solutionShown));
    view.intoGrid.hidden = !state.canGoIntoGrid;
    solution.show(state.solution);
    shown = state;
    if (otherSheet && !view.sheet.hidden) {
      showSheet();
    }
    return state;
  }

  // The question names the box itself too: a screen reader that meets a new box at once (Orca)
  // may not have followed the label to it yet.
  function answerBox({ label, unit }, i) {
    const id = `answer-${i}`;
    const box = element('input', {
      id, class: 'practice-box', type: 'text', inputmode: 'decimal', autocomplete: 'off', 'aria-label': label,
      'aria-describedby': 'practice-text',
    });
    // Enter checks, as Enter in the grid calculates.
    box.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') {
        event.preventDefault();
        check();
      }
    });
    return element('div', { class: 'practice-answer' }, element('label', { for: id }, label),
      element('span', { class: 'practice-box-line' }, box, element('span', { class: 'practice-unit' }, unit)));
  }

  // After the pupil has gone to another problem: it is read out, and the address becomes its link.
  function toProblem() {
    const state = refresh();
    announcer.textContent = state.text;
    history.replaceState(history.state, '', `#${practiceLinkOf(state.source)}`);
  }

  function check() {
    practice.check([...view.answers.querySelectorAll('input')].map((box) => box.value));
    refresh();
  }

  // What a hint or the whole solution adds is read out, as a screen reader says mathematics.
  function reveal(step) {
    const before = shown.solution?.lines.length ?? 0;
    step();
    const added = refresh().solution.lines.slice(before);
    announcer.textContent = added.map(([text, spoken]) => spoken ?? text).join(' ');
  }

  // The sheet's module comes when the sheet is first asked for; meanwhile the region is busy, and
  // of sheets asked for while it comes, the last is drawn. Without a network, before the module
  // was ever fetched, the region says so.
  let sheetAsked;
  async function showSheet() {
    const asked = { ...shown.source, count: Number(view.count.value) };
    sheetAsked = asked;
    view.sheet.setAttribute('aria-busy', 'true');
    const make = await loadTeacherSheet().catch(() => null);
    if (sheetAsked !== asked) {
      return;
    }
    view.sheet.removeAttribute('aria-busy');
    if (make) {
      renderSheet(view.sheet, make(asked.sheet, asked.level, asked.count));
    } else {
      view.sheet.replaceChildren(element('p', { class: 'sheet-unreachable' }, texts.sheetUnreachable));
    }
  }

  function toggleSheet() {
    const open = view.sheet.hidden;
    view.sheet.hidden = !open;
    view.otherSheet.hidden = !open;
    view.sheetButton.setAttribute('aria-expanded', String(open));
    if (open) {
      showSheet();
    }
  }

  // A button marked unavailable keeps the focus, where a disabled one would drop it.
  const onPress = (button, act) => button.addEventListener('click', () => {
    if (button.getAttribute('aria-disabled') !== 'true') {
      act();
    }
  });
  onPress(view.newProblem, () => {
    practice.next();
    toProblem();
  });
  onPress(view.check, check);
  onPress(view.hint, () => reveal(practice.hint));
  onPress(view.showSolution, () => reveal(practice.showSolution));
  onPress(view.intoGrid, () => {
    const { variant, givens } = practice.grid();
    enterIntoGrid(variant, givens);
  });
  onPress(view.sheetButton, toggleSheet);
  onPress(view.otherSheet, () => {
    practice.nextSheet();
    toProblem();
  });
  view.levels.forEach((radio, level) => radio.addEventListener('change', () => {
    practice.chooseLevel(level);
    toProblem();
  }));
  view.count.addEventListener('change', showSheet);

  // A practice link opens its problem, when the page opens and when one is pasted into the open
  // page's address; one whose sheet has no such place is none, and the address goes back to the
  // calculator's problem.
  function followLink() {
    const source = practiceOf(location.hash.slice(1));
    if (!source) {
      return;
    }
    if (practice.open(source)) {
      refresh();
    } else {
      keepAddress();
    }
  }
  addEventListener('hashchange', followLink);
  refresh();
  followLink();
  root.append(view.section);
}

// The teaching module's practice behind plain calls, as sheet.js puts the worksheet's.
async function loadPractice() {
  const { module, read, withText } = await loadTeaching();
  const json = (pointer) => JSON.parse(read(pointer) || 'null');
  return {
    // The section's texts: heading, level names, buttons, the sheet's sizes.
    texts: () => json(module.blendora_practice_texts()),
    // false where the sheet has no such place.
    open: ({ sheet, level, place }) => module.blendora_practice_open(sheet, level, place) === 1,
    // { text, boxes, feedback, solution, hasMoreHints, solutionShown, canGoIntoGrid, source, tally }
    state: () => json(module.blendora_practice_state()),
    check: (answers) => withText(answers.join('\n'), module.blendora_practice_check),
    hint: module.blendora_practice_hint,
    showSolution: module.blendora_practice_show_solution,
    next: module.blendora_practice_next,
    nextSheet: module.blendora_practice_next_sheet,
    chooseLevel: module.blendora_practice_choose_level,
    // { variant, givens }, the givens with a period.
    grid: () => json(module.blendora_practice_grid()),
  };
}

// The teacher's sheet, from a module of its own that a pupil's visit never fetches: a function of
// the sheet, the level and the count once it has come.
const loadTeacherSheet = onFirstUse('blendora-sheet', ({ module, read }) =>
  (sheet, level, count) => JSON.parse(read(module.blendora_teacher_sheet(sheet, level, count))));

// The section's look, and its print, come with it; the section is shown once it has.
function loadStyle() {
  const link = element('link', { rel: 'stylesheet', href: 'practice.css' });
  const loaded = new Promise((resolve, reject) => {
    link.addEventListener('load', resolve);
    link.addEventListener('error', () => reject(new Error('practice.css did not come')));
  });
  document.head.append(link);
  return loaded;
}

// An element with its attributes (none where the value is false) and children, texts as text.
export function element(tag, attributes = {}, ...children) {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    if (value !== false) {
      node.setAttribute(name, value === true ? '' : value);
    }
  }
  node.append(...children);
  return node;
}

const button = (id, text, attributes = {}) => element('button', { id, type: 'button', class: 'practice-command', ...attributes }, text);

// The section, in the order it is read: the level, the problem, its boxes, the commands, what is
// said of the answer and the count, the problem into the grid, the solution so far, and the
// teacher's sheet with its count.
function buildSection(texts) {
  const [smallest, largest, usual] = texts.sheetSizes;
  const levels = texts.levels.map((name, level) => element('input', { type: 'radio', name: 'practice-level', value: level }));
  const view = {
    levels,
    text: element('p', { id: 'practice-text', class: 'practice-text' }),
    answers: element('div', { class: 'practice-answers' }),
    newProblem: button('practice-new', texts.newProblem),
    check: button('practice-check', texts.check),
    hint: button('practice-hint', texts.hint),
    showSolution: button('practice-solve', texts.showSolution),
    feedback: element('p', { class: 'practice-feedback', role: 'status' }),
    tally: element('p', { class: 'practice-tally' }),
    intoGrid: button('practice-into-grid', texts.intoGrid, { hidden: true }),
    solution: element('div', { class: 'practice-solution', hidden: true },
      element('h3', { class: 'practice-solution-heading' }, texts.solutionHeading), element('div', { class: 'solution-lines' })),
    count: element('select', { id: 'sheet-count', class: 'sheet-count' },
      ...Array.from({ length: largest - smallest + 1 }, (_, i) => element('option', { selected: smallest + i === usual }, String(smallest + i)))),
    sheetButton: button('sheet-open', texts.sheet, { 'aria-expanded': 'false', 'aria-controls': 'teacher-sheet' }),
    otherSheet: button('sheet-other', texts.otherSheet, { hidden: true }),
    sheet: element('section', { id: 'teacher-sheet', class: 'teacher-sheet', 'aria-labelledby': 'sheet-title', hidden: true }),
  };
  view.section = element('section', { id: 'practice', class: 'practice', 'aria-labelledby': 'practice-heading' },
    element('h2', { id: 'practice-heading', class: 'practice-heading' }, texts.heading),
    element('fieldset', { class: 'practice-levels' }, element('legend', {}, texts.levelGroup),
      ...levels.map((radio, level) => element('label', { class: 'practice-level' }, radio, texts.levels[level]))),
    view.text,
    view.answers,
    element('div', { class: 'practice-commands' }, view.newProblem, view.check, view.hint, view.showSolution),
    view.feedback,
    view.tally,
    view.intoGrid,
    view.solution,
    element('div', { class: 'practice-commands' },
      element('label', { class: 'sheet-count-label', for: 'sheet-count' }, texts.problemCount), view.count,
      view.sheetButton, view.otherSheet),
    view.sheet);
  return view;
}

// The teacher's sheet: the title, the pupil's line, the problems numbered with room to write, and
// the key, which prints on a page of its own: a table of each problem's six quantities with the
// sought ones bold and marked, and what the mark means.
function renderSheet(region, { title, pupilLine, problems, keyTitle, keyHeading, key, keyNote }) {
  const table = element('table', { class: 'sheet-key-table' });
  table.createTHead().insertRow().append(...keyHeading.map((text) => element('th', { scope: 'col' }, text)));
  const body = table.createTBody();
  for (const { cells, sought } of key) {
    body.insertRow().append(element('th', { scope: 'row' }, cells[0]),
      ...cells.slice(1).map((text, i) => element('td', { class: sought[i + 1] && 'sought' }, text)));
  }
  region.replaceChildren(
    element('h3', { id: 'sheet-title', class: 'sheet-title' }, title),
    element('p', { class: 'sheet-pupil' }, pupilLine),
    element('ol', { class: 'sheet-problems' }, ...problems.map((text) => element('li', {}, text))),
    element('div', { class: 'sheet-key' },
      element('h4', { id: 'key-title', class: 'sheet-key-title' }, keyTitle),
      // Wider than a phone: it scrolls sideways, and takes the focus to be scrolled by keys.
      element('div', { class: 'sheet-key-frame', role: 'region', 'aria-labelledby': 'key-title', tabindex: 0 }, table),
      element('p', { class: 'sheet-note' }, keyNote)));
}
