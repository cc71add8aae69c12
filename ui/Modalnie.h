#pragma once
// Modal dialogs without a nested event loop, the way a browser could give them too: the
// dialog is opened, and what depends on its answer runs when it closes. The windows take
// the way of opening as a hook, so the tests answer in place of the user.

#include <functional>

class QDialog;

// Called once, with the dialog's result: QDialog::Accepted or Rejected, or the button of a
// QMessageBox.
using TKoniecOkna = std::function<void(int wynik)>;
using TWykonajModalnie = std::function<void(QDialog& okno, TKoniecOkna koniec)>;

// The program's own way: QDialog::open(), and `koniec` on the dialog's `finished`.
void OtworzModalnie(QDialog& okno, TKoniecOkna koniec);

// A dialog made for one answer: opened through `wykonaj`, deleted once it has answered.
void ZapytajRaz(const TWykonajModalnie& wykonaj, QDialog* okno, TKoniecOkna koniec = {});
