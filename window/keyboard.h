#pragma once

#include <QAbstractButton>

// Of a group of option buttons only the checked one is a stop for Tab, at its own place; the
// arrow keys move between them.
template <typename Buttons>
void KeepOnlyCheckedATabStop(const Buttons& buttons) {
  for (QAbstractButton* button : buttons) {
    button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::NoFocus);
  }
}
