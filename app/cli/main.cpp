#include "cli/CliCommands.h"
#include "cli/ReportCommand.h"
#include "preview/ReportSave.h"
#include "messages/StreamMessageSink.h"

#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

// nakva-cli: the administrator's companion to NAKVA's data files (nakva-cli --help).
int main(int argc, char** argv) {
    nakva::StreamMessageSink messages(std::cerr);
    nakva::setMessageSink(&messages);

    // A report's PDF takes its fonts from Qt's GUI library: the application object is made for that
    // command only, on the platform without a display.
    int qtArgc = 1;
    std::unique_ptr<QGuiApplication> gui;
    nakva::setPdfWriter([&](const std::vector<std::filesystem::path>& pages,
                            const std::filesystem::path& target, const std::string& title) {
        if (!gui) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            gui = std::make_unique<QGuiApplication>(qtArgc, argv);
        }
        return nakva::writeReportPdf(pages, target, QString::fromStdString(title));
    });

    const std::vector<std::string> words(argv + 1, argv + argc);
    const int code = nakva::runCli(words, std::cout);
    nakva::setPdfWriter({});
    nakva::setMessageSink(nullptr);
    return code;
}
