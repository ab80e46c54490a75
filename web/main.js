// Starts the page: takes over the window's controls, which the page arrived with, while the
// worksheet loads; then routes their events to the worksheet, refreshing every cell from it
// after each command.
import { adoptPage, keepEarlyCommands, setKeyboardOrder } from './page.js';
import { loadSheet } from './sheet.js';
import { decimalSeparator } from './separator.js';
import { FaultDialog } from './dialog.js';

const root = document.getElementById('form');
const { controls, cellLabels, workedSolutions } = adoptPage(root);
const isResult = controls.Text2.map((cell) => cell.classList.contains('result'));
const columns = cellLabels.length / controls.Option1.length;
// The window's layout where it fits; a phone's narrower screen gets the working row alone.
const wide = matchMedia('(min-width: 504px)');
const fault = new FaultDialog(document.getElementById('fault'));
const announcer = document.getElementById('announcer');

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
sheet.start(decimalSeparator(navigator.language));

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
}

function calculate() {
  const message = sheet.calculate();
  if (message) {
    fault.show(message);
    return;
  }
  refreshCells();
  announcer.textContent = sheet.results();
}

function clear() {
  sheet.clear();
  refreshCells();
}

function selectVariant(variant) {
  sheet.selectVariant(variant);
  announcer.textContent = '';
  refreshCells();
}

controls.Command1[0].addEventListener('click', calculate);
controls.Command1[1].addEventListener('click', clear);
controls.Option1.forEach((option, v) => {
  option.querySelector('input').addEventListener('change', () => selectVariant(v));
});
controls.Text2.forEach((cell, i) => {
  cell.addEventListener('input', () => sheet.setCellText(i, cell.value));
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
function takeOver() {
  const chosen = controls.Option1.findIndex((option) => option.querySelector('input').checked);
  if (chosen > 0) {
    sheet.selectVariant(chosen);
  } else {
    controls.Text2.forEach((cell, i) => {
      if (!cell.readOnly && cell.value) {
        sheet.setCellText(i, cell.value);
      }
    });
  }
  refreshCells();
  for (const command of earlyCommands()) {
    (command === 'calculate' ? calculate : clear)();
  }
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
