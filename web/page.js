// Finds the window's controls in the page, which arrives with them already drawn (see
// prerender.mjs), sets the window's keyboard order and shows a fault in the page's dialog. The elements stand in the order of the narrow layout, top
// to bottom; at 504 CSS pixels and wider each sits at its twip rectangle.

// The controls as arrays named as the window names them; beside them each cell's heading and
// each result's worked solution. The print's copy of the assignment is filled in here.
export function adoptPage(root) {
  const all = (selector) => [...root.querySelectorAll(selector)];
  const controls = {
    Label1: all('.label'),
    Command1: all('.command'),
    Frame1: all('.frame'),
    Option1: all('.option'),
    Text2: all('input.cell'),
    Text1: all('.text-box'),
  };
  const workedSolutions = controls.Text2.map((cell, i) => root.querySelector(`#worked-${i}`));
  root.querySelector('.printed-assignment').textContent = controls.Text1[0].value;
  return { controls, cellLabels: all('.cell-label'), workedSolutions };
}

// The window's keyboard order: each control's tab stop at its place in the form's order, which
// the page carries (data-tab). The browser passes over those that cannot take the focus, and
// all option buttons of the group but the selected one. Without it, the order is the elements'
// own, top to bottom.
export function setKeyboardOrder(root, designed) {
  root.querySelectorAll('[data-tab]').forEach((control) => {
    control.tabIndex = designed ? Number(control.dataset.tab) : 0;
  });
}

// Until the worksheet is ready, what the pupil types and chooses stays in the controls; a press
// of Изчисли or Изчисти, or Enter in an open cell, is kept here. The returned function stops
// keeping them and gives them in order: 'calculate' or 'clear'.
export function keepEarlyCommands(root) {
  const commands = [];
  const onClick = (event) => {
    const command = event.target.closest?.('.command');
    if (command) {
      commands.push(command.classList.contains('command-0') ? 'calculate' : 'clear');
    }
  };
  const onKey = (event) => {
    if (event.key === 'Enter' && event.target.matches('input.cell') && !event.target.readOnly) {
      event.preventDefault();
      commands.push('calculate');
    }
  };
  root.addEventListener('click', onClick);
  root.addEventListener('keydown', onKey);
  return () => {
    root.removeEventListener('click', onClick);
    root.removeEventListener('keydown', onKey);
    return commands;
  };
}

// Tells the pupil of a failed calculation in a modal alert, whose title and button the page
// arrives with, and gives the focus back after it.
export class FaultDialog {
  constructor(dialog) {
    this.dialog = dialog;
    this.message = dialog.querySelector('.fault-message');
    dialog.querySelector('.fault-ok').addEventListener('click', () => dialog.close());
    dialog.addEventListener('close', () => this.returnFocus?.focus());
  }

  // The first line names the kind of fault, the second what in the numbers causes it.
  show(message) {
    this.returnFocus = document.activeElement;
    this.message.textContent = message;
    this.dialog.showModal();
  }
}
