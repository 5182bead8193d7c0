#include "data/Context.h"
#include "data/Database.h"
#include "messages/Message.h"
#include "preview/PictureFile.h"
#include "reference/widgets/ReferenceProcedures.h"
#include "reports/PictureDecoder.h"
#include "reports/widgets/ReportProcedures.h"
#include "shell/MainMenu.h"
#include "shell/StartUp.h"
#include "shell/widgets/MainWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "shell/widgets/Program.h"

// NAKVA, the register of hotel services: the settings of the program run, the main window, and at
// once the list of current registrations. Data lives in DATA/ below the current folder.
int main(int argc, char** argv) {
    nakva::ProgramApplication application(argc, argv);
    nakva::applyProgramSettings(application);
    nakva::setPictureDecoder(nakva::loadRasterPicture); // the invoices' logo "Firma.gif", "Firma.jpg"
    try {
        nakva::Database database;
        nakva::Context context(database); // the main window's own: IstgPar stays open on it
        nakva::prepareProgramRun(context);

        nakva::ProcedureRegistry procedures;
        nakva::registerReferenceProcedures(procedures, database);
        nakva::registerReportProcedures(procedures, database);

        nakva::MainWindow window(procedures, [&context] { return nakva::institutionName(context); });
        window.show();
        if (procedures.contains(nakva::CurrentRegistrationsProcedure)) {
            window.startProcedure(nakva::CurrentRegistrationsProcedure);
        }
        return application.exec();
    } catch (const nakva::ProgramStop& stop) {
        return nakva::stopProgram(stop);
    }
}
