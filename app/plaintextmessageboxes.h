// SPDX-License-Identifier: MIT
#pragma once

// Every message box of the program shows its text as plain text, Qt's own
// too: the file chooser's question before replacing a file names the file,
// and a "<b>" in a name must not turn the rest bold or join its lines.
// Call once after the QApplication is made.
void showMessageBoxTextsPlain();
