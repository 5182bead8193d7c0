#include "data/Context.h"
#include "data/Database.h"
#include "frontdesk/widgets/FrontDeskProcedures.h"
#include "frontdesk/widgets/TodayWindow.h"
#include "maintenance/Backup.h"
#include "maintenance/FolderUse.h"
#include "maintenance/widgets/MaintenanceProcedures.h"
#include "messages/Message.h"
#include "preview/PictureFile.h"
#include "reference/widgets/ReferenceProcedures.h"
#include "registration/widgets/RegistrationWindows.h"
#include "reports/PictureDecoder.h"
#include "reports/widgets/ReportProcedures.h"
#include "roomservice/widgets/RoomServiceWindows.h"
#include "shell/MainMenu.h"
#include "shell/StartUp.h"
#include "shell/widgets/MainWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "shell/widgets/Program.h"

// NAKVA, the register of hotel services: the settings of the program run, the main window, and at
// once the list of current registrations. Data lives in DATA/ below the current folder; the first
// start of a day backs it up into DATA/atsargines.
int main(int argc, char** argv) {
    nakva::ProgramApplication application(argc, argv);
    nakva::applyProgramSettings(application);
    nakva::setPictureDecoder(nakva::loadRasterPicture); // the invoices' logo "Firma.gif", "Firma.jpg"
    try {
        nakva::Database database;
        // The folder is marked used for the program run: no backup is restored under it.
        std::filesystem::create_directories(database.dataFolder());
        const nakva::FolderUse use(database, nakva::FolderUse::Kind::Shared);
        if (!use.acquired()) {
            nakva::MessageRequest request;
            request.title = "Atsarginė kopija";
            request.text = "Duomenys dabar atkuriami iš atsarginės kopijos. Paleiskite programą vėliau.";
            request.icon = nakva::MessageIcon::Exclamation;
            nakva::showMessage(request);
            return 1;
        }
        nakva::Context context(database); // the main window's own: IstgPar stays open on it
        nakva::prepareProgramRun(context);
        nakva::makeDailyBackup(database); // the first start of a day

        nakva::ProcedureRegistry procedures;
        nakva::registerReferenceProcedures(procedures, database);
        nakva::registerRoomServiceWindows(procedures, database);
        nakva::registerRegistrationProcedures(procedures, database);
        nakva::registerReportProcedures(procedures, database);
        nakva::registerMaintenanceProcedures(procedures, database);
        nakva::registerFrontDeskProcedures(procedures, database);

        nakva::MainWindow window(procedures, [&context] { return nakva::institutionName(context); });
        window.show();
        if (procedures.contains(nakva::CurrentRegistrationsProcedure)) {
            window.startProcedure(nakva::CurrentRegistrationsProcedure);
        }
        // A station that asked for it opens the day's lists too.
        if (nakva::openTodayAtStart()) {
            window.startProcedure(nakva::TodayProcedure);
        }
        return application.exec();
    } catch (const nakva::ProgramStop& stop) {
        return nakva::stopProgram(stop);
    }
}
