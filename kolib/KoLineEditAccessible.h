#pragma once
// Every line edit of the program as the screen reader meets it: Qt's own
// presentation (name from its label, role, states, text, caret, selection,
// editing), except that the text's attribute runs cover the whole text. Qt
// 6.4 answers an empty run at each offset, and Orca 43 then drops the last
// character of the line it reads ("1500" said as "150").

#include <functional>

class QAccessibleInterface;
class QLineEdit;

QAccessibleInterface* KoMakeLineEditAccessible(QLineEdit* edit);

// Makes the edit a read-only readout, the result display of a calculator:
// the screen reader meets it as a label, whose text it reads on request but
// whose changes it leaves to the program's own voice, which says each result.
// As an edit, Orca would echo a change to a single character ("0" to "1")
// as if the user had typed it.
void KoPresentAsReadout(QLineEdit* edit);

// Runs a focus change of the edit (its focusInEvent or focusOutEvent) without
// the selection and caret events it raises. Qt selects the whole text when
// the focus comes by Tab and drops the selection when it leaves; the screen
// reader would say the text, then the field with the same text selected, and
// "unselected" on the way out. It reads the selection from the field's state
// when it names the field. A null edit runs the step as it is.
void KoFocusWithoutSelectionEvents(QLineEdit* edit, const std::function<void()>& step);
