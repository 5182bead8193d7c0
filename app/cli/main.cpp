#include "cli/CliCommands.h"
#include "cli/ReportCommand.h"
#include "messages/StreamMessageSink.h"
#include "preview/PictureFile.h"
#include "preview/ReportSave.h"
#include "reports/PageCanvas.h"
#include "reports/PictureDecoder.h"

#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

// nakva-cli: the administrator's companion to NAKVA's data files (nakva-cli --help).
int main(int argc, char** argv) {
    nakva::StreamMessageSink messages(std::cerr);
    nakva::setMessageSink(&messages);

    // A report's PDF takes its fonts from Qt's GUI library, and an invoice's logo "Firma.gif" or
    // "Firma.jpg" is decoded by it: the application object is made for those only, on the platform
    // without a display.
    int qtArgc = 1;
    std::unique_ptr<QGuiApplication> gui;
    const auto needGui = [&] {
        if (!gui) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            gui = std::make_unique<QGuiApplication>(qtArgc, argv);
        }
    };
    nakva::setPdfWriter([&](const std::vector<std::filesystem::path>& pages,
                            const std::filesystem::path& target, const std::string& title) {
        needGui();
        return nakva::writeReportPdf(pages, target, QString::fromStdString(title));
    });
    nakva::setPictureDecoder([&](const std::filesystem::path& path) {
        needGui();
        return nakva::loadRasterPicture(path);
    });

    const std::vector<std::string> words(argv + 1, argv + argc);
    const int code = nakva::runCli(words, std::cout);
    nakva::setPdfWriter({});
    nakva::setPictureDecoder({});
    nakva::setMessageSink(nullptr);
    return code;
}
