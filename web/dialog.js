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
