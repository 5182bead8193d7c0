#pragma once

#include <QApplication>

namespace nakva {

struct ProgramStop;

// The application object of the program. A program stop thrown while an event is handled (a table
// that cannot be opened, for one) ends the program here, after its text is shown.
class ProgramApplication : public QApplication {
    Q_OBJECT
public:
    ProgramApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The start-up settings, in order: the help (the program's guide in the help viewer, opened by F1 and
// every help button), the Lithuanian translations of Qt's own dialogs, a window font with every
// Lithuanian letter, the keypad's decimal key typing a period, and every message shown by the
// program's message window. Collation, case pairs and month names are fixed in the data layer.
void applyProgramSettings(QApplication& application);

// Shows the stop's text and ends the event loops; returns the program's exit code.
int stopProgram(const ProgramStop& stop);

} // namespace nakva
