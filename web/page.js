// Builds the window's controls from the form description, each at its twip rectangle.

const pixels = (twips, twipsPerPixel) => `${Math.trunc(twips / twipsPerPixel)}px`;

function place(element, [left, top, width, height], twipsPerPixel) {
  Object.assign(element.style, {
    left: pixels(left, twipsPerPixel),
    top: pixels(top, twipsPerPixel),
    width: pixels(width, twipsPerPixel),
    height: pixels(height, twipsPerPixel),
  });
  return element;
}

function create(tag, className, text) {
  const element = document.createElement(tag);
  element.className = className;
  if (text !== undefined) {
    element.textContent = text;
  }
  return element;
}

// The stored texts end their lines in CR LF; a text box wants line feeds.
const lines = (text) => text.replaceAll('\r\n', '\n');

function labels(form) {
  const headings = [form.heading, ...form.columnHeadings];
  return headings.map((text, k) => create(k === 0 ? 'h1' : 'div', 'label', text));
}

function commands(form) {
  return [form.calculate, form.clear].map((text, index) => {
    const button = create('button', `command command-${index}`, text);
    button.type = 'button';
    return button;
  });
}

function options(form) {
  return form.variantCaptions.map((caption, v) => {
    const option = create('label', 'option');
    const radio = create('input', 'option-button');
    Object.assign(radio, { type: 'radio', name: 'variant', value: String(v) });
    option.append(radio, create('span', 'option-caption', caption));
    return option;
  });
}

function cells(form) {
  return form.cellNames.map((name, i) => {
    const cell = create('input', form.resultCells[i] ? 'cell result' : 'cell');
    Object.assign(cell, { type: 'text', spellcheck: false, autocomplete: 'off', maxLength: 32767 });
    cell.setAttribute('aria-label', name);
    cell.setAttribute('inputmode', 'decimal');
    cell.disabled = form.resultCells[i];
    return cell;
  });
}

function textBoxes(form) {
  const texts = [
    [form.assignment, form.assignmentName],
    [form.quotation, form.quotationName],
  ];
  return texts.map(([text, name], index) => {
    const box = create('textarea', `text-box text-box-${index}`);
    Object.assign(box, { readOnly: true, value: lines(text), spellcheck: false });
    box.setAttribute('aria-label', name);
    return box;
  });
}

// The controls as arrays named as the window names them, placed and in the page.
export function buildPage(root, form) {
  const controls = {
    Label1: labels(form),
    Command1: commands(form),
    Frame1: [create('fieldset', 'frame')],
    Option1: options(form),
    Text2: cells(form),
    Text1: textBoxes(form),
  };
  const frame = controls.Frame1[0];
  frame.append(create('legend', 'frame-caption', form.variants), ...controls.Option1);
  controls.Text1[1].hidden = true; // the quotation is held, never shown
  for (const [array, elements] of Object.entries(controls)) {
    elements.forEach((element, index) => place(element, form.places[array][index], form.twipsPerPixel));
    if (array !== 'Option1') {
      root.append(...elements);
    }
  }
  place(root, form.clientSize, form.twipsPerPixel);
  setKeyboardOrder(controls, form.keyboardOrder);
  setColours(document.documentElement, form.colours);
  return controls;
}

// Each control's tab stop at its place in the form's order; the browser passes over those that
// cannot take the focus, and all option buttons of the group but the selected one.
function setKeyboardOrder(controls, order) {
  order.forEach(({ array, index }, position) => {
    const control = controls[array][index];
    const focusable = control.querySelector?.('input') ?? control;
    if (['INPUT', 'BUTTON', 'TEXTAREA'].includes(focusable.tagName)) {
      focusable.tabIndex = position + 1;
    }
  });
}

function setColours(root, colours) {
  for (const [name, colour] of Object.entries(colours)) {
    root.style.setProperty(`--${name}`, colour);
  }
}
