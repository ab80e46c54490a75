// Tells the pupil of a failed calculation in a modal alert, and gives the focus back after it.
export class FaultDialog {
  constructor(dialog, form) {
    this.dialog = dialog;
    this.message = dialog.querySelector('.fault-message');
    dialog.querySelector('.fault-title').textContent = form.title;
    const ok = dialog.querySelector('.fault-ok');
    ok.textContent = form.ok;
    ok.addEventListener('click', () => dialog.close());
    dialog.addEventListener('close', () => this.returnFocus?.focus());
  }

  // The first line names the kind of fault, the second what in the numbers causes it.
  show(message) {
    this.returnFocus = document.activeElement;
    this.message.textContent = message;
    this.dialog.showModal();
  }
}
