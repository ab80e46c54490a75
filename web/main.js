// Starts the page: takes over the window's controls, which the page arrived with, while the
// worksheet loads; then routes their events to the worksheet, refreshing every cell from it
// after each command, and keeps the address a link to the problem on the screen. Once the page
// is ready, the row's solution (solution.js) comes, the practice (practice.js) below it, and the
// pupil's own problem (my-problem.js) below that.
import { adoptPage, FaultDialog, keepEarlyCommands, setKeyboardOrder } from './page.js';
import { loadSheet } from './sheet.js';
import { separator } from './separator.js';
import { linkOf, localNumber, neutralNumber, practiceOf, problemOf } from './link.js';

const root = document.getElementById('form');
const { controls, cellLabels, workedSolutions } = adoptPage(root);
const isResult = controls.Text2.map((cell) => cell.classList.contains('result'));
const variants = controls.Option1.length;
const columns = cellLabels.length / variants;
// The window's layout where it fits; a phone's narrower screen gets the working row alone.
const wide = matchMedia('(min-width: 504px)');
const fault = new FaultDialog(document.getElementById('fault'));
const announcer = document.getElementById('announcer');
const solutionRegion = document.getElementById('solution');
// The row solved step by step comes with the teaching module, after the page is ready; until
// then the region stays hidden, as the page arrives with it.
let showSolution = () => {};

// In the window's layout a result is a disabled cell, as in the window; on a phone it is
// read-only text, which a screen reader reads and a finger can select. This needs no worksheet,
// so it is done while the module is still on its way.
function layOut() {
  setKeyboardOrder(root, wide.matches);
  controls.Text2.forEach((cell, i) => {
    cell.disabled = isResult[i] && wide.matches;
  });
}

layOut();
wide.addEventListener('change', layOut);
const earlyCommands = keepEarlyCommands(root);
const sheet = await loadSheet();
performance.mark('blendora-module');
sheet.start(separator);
// Whether Изчисли has been pressed since the last change, which a link tells.
let calculated = false;

function refreshCells() {
  const workingRow = sheet.currentVariant();
  sheet.cells().forEach(({ text, locked, explanation }, i) => {
    const cell = controls.Text2[i];
    if (cell.value !== text) {
      cell.value = text;
    }
    cell.readOnly = locked || isResult[i];
    const working = Math.floor(i / columns) === workingRow;
    cell.classList.toggle('working', working);
    cellLabels[i].classList.toggle('working', working);
    // The worked solution shows on hovering, stands under the result on a phone, and is read
    // out as the cell's description.
    if (explanation) {
      cell.title = explanation;
    } else {
      cell.removeAttribute('title');
    }
    if (workedSolutions[i]) {
      workedSolutions[i].textContent = explanation;
      workedSolutions[i].classList.toggle('working', working);
    }
  });
  showSolution(sheet.worked());
}

function calculate() {
  const message = sheet.calculate();
  if (message) {
    // The grid stays as it was; the solution says what is wrong with these numbers.
    showSolution(sheet.worked());
    fault.show(message);
    return;
  }
  calculated = true;
  refreshCells();
  keepAddress();
  announcer.textContent = sheet.results();
}

function clear() {
  sheet.clear();
  calculated = false;
  refreshCells();
  keepAddress();
}

function selectVariant(variant) {
  sheet.selectVariant(variant);
  calculated = false;
  announcer.textContent = '';
  refreshCells();
  keepAddress();
}

function edit(i, text) {
  sheet.setCellText(i, text);
  calculated = false;
  showSolution(sheet.worked());
  keepAddressSoon();
}

// The cells of a variant's row that the pupil fills in.
const givenCells = (variant) => controls.Text2.map((_, i) => i)
  .filter((i) => Math.floor(i / columns) === variant && !isResult[i]);

// The address is replaced, never added to the history: typing makes no step for Back, which
// leaves the page. The problem goes after "#", which no request carries to a server.
let addressTimer;
function keepAddress() {
  clearTimeout(addressTimer);
  const variant = sheet.currentVariant();
  const givens = givenCells(variant).map((i) => {
    const text = controls.Text2[i].value;
    return neutralNumber(text, separator) ?? sheet.readNumber(text);
  });
  const fragment = linkOf({ variant, givens, calculated });
  if (location.hash.slice(1) !== fragment) {
    history.replaceState(history.state, '', fragment ? `#${fragment}` : location.pathname + location.search);
  }
}

// While the pupil types, once a keystroke has had no successor for a moment: browsers refuse a
// page that replaces its address hundreds of times in a few seconds.
function keepAddressSoon() {
  clearTimeout(addressTimer);
  addressTimer = setTimeout(keepAddress, 250);
}

// A link's problem, shown as if the pupil had entered it; with its results calculated again
// where it was calculated. A link whose results cannot be (none this page writes) gives the start.
const startProblem = { variant: 0, givens: ['', '', '', ''], calculated: false };
function openProblem(problem) {
  controls.Option1[problem.variant].querySelector('input').checked = true;
  sheet.selectVariant(problem.variant);
  givenCells(problem.variant).forEach((i, k) => sheet.setCellText(i, localNumber(problem.givens[k], separator)));
  calculated = problem.calculated && !sheet.calculate();
  if (problem.calculated && !calculated) {
    openProblem(startProblem);
  }
  refreshCells();
}

// A link pasted into the address bar of the open page, or Back to an earlier one; anything else
// after "#" leaves the screen as it is. A practice link is the practice's to follow.
function followLink() {
  const fragment = location.hash.slice(1);
  if (practiceOf(fragment)) {
    return;
  }
  const problem = fragment === '' ? startProblem : problemOf(fragment, variants);
  if (problem) {
    announcer.textContent = '';
    openProblem(problem);
  }
  keepAddress();
}

controls.Command1[0].addEventListener('click', calculate);
controls.Command1[1].addEventListener('click', clear);
controls.Option1.forEach((option, v) => {
  option.querySelector('input').addEventListener('change', () => selectVariant(v));
});
controls.Text2.forEach((cell, i) => {
  cell.addEventListener('input', () => edit(i, cell.value));
  // Enter in the working row calculates, as the pupil expects of a calculator.
  cell.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' && !cell.readOnly) {
      event.preventDefault();
      calculate();
    }
  });
});

// What the pupil did before the worksheet was ready counts: the variant chosen (which empties
// the grid, as choosing it does), the numbers typed into the open row, and the commands given.
// Where the pupil did nothing yet, the problem of the link the page was opened with is shown,
// and a practice link stays for the practice to open.
function takeOver() {
  const chosen = controls.Option1.findIndex((option) => option.querySelector('input').checked);
  const typed = givenCells(0).filter((i) => controls.Text2[i].value);
  const commands = earlyCommands();
  const untouched = chosen === 0 && typed.length === 0 && commands.length === 0;
  const fragment = location.hash.slice(1);
  const problem = problemOf(fragment, variants);
  if (problem && untouched) {
    openProblem(problem);
  } else if (chosen > 0) {
    sheet.selectVariant(chosen);
  } else {
    typed.forEach((i) => edit(i, controls.Text2[i].value));
  }
  refreshCells();
  for (const command of commands) {
    (command === 'calculate' ? calculate : clear)();
  }
  if (!(untouched && practiceOf(fragment))) {
    keepAddress();
  }
  addEventListener('hashchange', followLink);
}

// A practice problem, or the pupil's own, put into the grid: its variant chosen, its givens typed
// (with a period, as a link holds them) and Изчисли pressed; the pupil is taken to the row.
function enterIntoGrid(variant, givens) {
  openProblem({ variant, givens, calculated: false });
  calculate();
  controls.Text2[givenCells(variant)[0]].focus();
}

takeOver();
// The focus starts in the assignment, at its beginning, unless the pupil has put it elsewhere.
if (document.activeElement === document.body || document.activeElement === null) {
  controls.Text1[0].setSelectionRange(0, 0);
  controls.Text1[0].focus({ preventScroll: true });
}
// After one visit the page works without a network.
navigator.serviceWorker?.register('service-worker.js');
// The caption comes last: whoever watches the window sees it once the page can be used.
document.title = root.dataset.caption;
document.documentElement.dataset.ready = 'true';
performance.mark('blendora-ready');
// The solution and the practice are asked for only now, so that nothing of them delays the
// calculator.
import('./solution.js')
  .then(({ calculatorSolution }) => calculatorSolution(solutionRegion))
  .then((show) => {
    showSolution = show;
    show(sheet.worked());
    performance.mark('blendora-solution');
  });
// The pupil's own problem stands below the practice, and comes after it.
import('./practice.js')
  .then(({ startPractice }) => startPractice({ root, announcer, enterIntoGrid, keepAddress }))
  .then(() => import('./my-problem.js'))
  .then(({ startMyProblem }) => startMyProblem({ root, enterIntoGrid }));
