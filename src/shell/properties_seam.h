// Opening the properties dialog ("Galaxy Properties") from the shell: from "/C" or an empty
// command line, and modally from a key or click in the windowed program.
#pragma once

class QWidget;

namespace astrelle {

struct ProcessValues;

// Shows the dialog modally; returns when it is closed. Its "Exit" entry sets
// process.ExitRequested.
void ShowPropertiesDialog(QWidget* parent, ProcessValues& process);

}  // namespace astrelle
