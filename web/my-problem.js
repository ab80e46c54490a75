// The pupil's own problem, below the practice: the text typed or pasted from a textbook, read on
// the solve button and answered as a teacher would, or told what is missing; the numbers of the
// text in a small table where the pupil gives one another role, which solves again; and the
// problem put into the grid where the grid expresses it. main.js asks for this module once the
// practice is there, whose style sheet it shares; the section is built from the teaching module's
// texts, and the reader, a module of its own, comes only when the pupil first goes to the box.
// Whatever the text holds is only ever shown as text.
import { element } from './practice.js';
import { onFirstUse } from './sheet.js';
import { loadTeaching, SolutionRegion } from './solution.js';

// root: the form, which the section ends; enterIntoGrid(variant, givens): the calculator's.
export async function startMyProblem({ root, enterIntoGrid }) {
  const { module, read } = await loadTeaching();
  const texts = JSON.parse(read(module.blendora_my_problem_texts()));
  const view = buildSection(texts);
  const result = new SolutionRegion(view.result);

  // The numbers' table is made anew only where its numbers or roles differ, so that a select
  // keeps the focus while the pupil changes a role; one made anew gives it to the same number.
  let table = '';
  function show(state) {
    result.show(state.solution);
    const numbers = JSON.stringify([state.numbers.map(({ written }) => written), state.roles]);
    if (numbers !== table) {
      const focused = view.numbers.contains(document.activeElement) && document.activeElement.dataset.number;
      view.numbers.replaceChildren(...(state.numbers.length ? [numbersTable(texts, state)] : []));
      view.numbers.querySelector(`select[data-number="${focused}"]`)?.focus();
      table = numbers;
    }
    view.numbers.querySelectorAll('select').forEach((select, i) => {
      select.value = String(state.numbers[i].role);
    });
    view.intoGrid.hidden = !state.canGoIntoGrid;
  }

  // Without a network, before the reader was ever fetched, the result says so, and nothing else
  // stays from a problem read before.
  const unreachable = { solution: { lines: [[texts.unreachable]] }, numbers: [], roles: [], canGoIntoGrid: false };

  // Mostly there by the time the pupil has typed or pasted the text. While it comes, the result
  // is busy: a screen reader reads it once it is there.
  view.text.addEventListener('focus', () => loadReader().catch(() => {}));
  view.solve.addEventListener('click', async () => {
    const text = view.text.value;
    view.printed.textContent = text;
    view.result.setAttribute('aria-busy', 'true');
    try {
      show(await loadReader().then(() => reader.read(text), () => unreachable));
    } finally {
      view.result.removeAttribute('aria-busy');
    }
  });
  // The numbers' table and the button come with a reading, once the reader is there.
  view.numbers.addEventListener('change', ({ target }) => {
    show(reader.changeRole(Number(target.dataset.number), Number(target.value)));
  });
  view.intoGrid.addEventListener('click', () => {
    const { variant, givens } = reader.grid();
    enterIntoGrid(variant, givens);
  });
  root.append(view.section);
}

// The reader behind plain calls, as practice.js puts the practice's, once it has come; fetched on
// the first call of loadReader.
let reader;
const loadReader = onFirstUse('blendora-reader', ({ module, read, withText }) => {
  const json = (pointer) => JSON.parse(read(pointer));
  reader = {
    // Each gives { solution, numbers: [{ written, role }], roles, answered, canGoIntoGrid }.
    read: (text) => withText(text, (pointer) => json(module.blendora_my_problem_read(pointer))),
    changeRole: (number, role) => json(module.blendora_my_problem_change_role(number, role)),
    // { variant, givens }, the givens with a period.
    grid: () => json(module.blendora_my_problem_grid()),
  };
});

// The section, in the order it is read: the box and its solve button, the result, which a screen
// reader reads out as it comes, the numbers and their roles, and the problem into the grid. The
// text is copied for the print, where a box shows no more than fits in it.
function buildSection(texts) {
  const view = {
    text: element('textarea', { id: 'my-problem-text', class: 'my-problem-text', rows: 5, autocomplete: 'off' }),
    solve: element('button', { id: 'my-problem-solve', type: 'button', class: 'practice-command' }, texts.solve),
    printed: element('p', { class: 'my-problem-printed' }),
    result: element('div', { id: 'my-problem-result', class: 'my-problem-result', 'aria-live': 'polite' },
      element('div', { class: 'solution-lines' })),
    numbers: element('div', { class: 'my-problem-numbers' }),
    intoGrid: element('button', { id: 'my-problem-into-grid', type: 'button', class: 'practice-command', hidden: true }, texts.intoGrid),
  };
  view.section = element('section', { id: 'my-problem', class: 'my-problem', 'aria-labelledby': 'my-problem-heading' },
    element('h2', { id: 'my-problem-heading', class: 'practice-heading' }, texts.heading),
    element('label', { class: 'my-problem-label', for: 'my-problem-text' }, texts.label),
    view.text,
    element('div', { class: 'practice-commands' }, view.solve),
    view.printed,
    view.result,
    view.numbers,
    view.intoGrid);
  return view;
}

// Each number as the text writes it, heading its row, and a choice of its role named by it.
function numbersTable(texts, { numbers, roles }) {
  const table = element('table', { class: 'my-problem-table' }, element('caption', {}, texts.numbers));
  table.createTHead().insertRow().append(element('th', { scope: 'col' }, texts.number),
    element('th', { scope: 'col' }, texts.role));
  const body = table.createTBody();
  numbers.forEach(({ written }, i) => {
    const choice = element('select', { 'aria-labelledby': `my-problem-number-${i}`, 'data-number': i },
      ...roles.map((role, r) => element('option', { value: r }, role)));
    body.insertRow().append(element('th', { id: `my-problem-number-${i}`, scope: 'row' }, written),
      element('td', {}, choice));
  });
  return table;
}
