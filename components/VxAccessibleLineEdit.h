#pragma once

// Tells screen readers the text of a line edit whole, and never hangs when
// they ask about it.  Qt's own description of a line edit (as of Qt 6.4)
// has two faults:
// - it gives every character a text-attribute run of its own, each of no
//   length, and Orca, which builds the line it speaks from those runs,
//   leaves out the last character ("123456789" is spoken "12345678");
// - asked for the word or sentence at the end of the text (where the caret
//   stands after typing or after the whole text was selected), it loops
//   for ever: the program stops answering.
// Once installed, every line edit is described as Qt describes it, with
// one run of plain text over the whole text and nothing at its end.

// Installs the description for every line edit of the program; calling it
// again does nothing.
void InstallAccessibleLineEdits();
