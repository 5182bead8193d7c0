#include "ui/widgets/FileDialogs.h"

#include <QDir>
#include <QFileDialog>

namespace nakva {

namespace {

// The system's save dialog, opening in the working folder; the working folder itself stays as it was.
class SystemFileDialogs : public FileDialogs {
public:
    QString saveFileName(const SaveFileRequest& request, QWidget* parent) override {
        QFileDialog dialog(parent, request.title, QDir::current().filePath(request.defaultName),
                           request.filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
        dialog.selectFile(request.defaultName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        return dialog.selectedFiles().constFirst();
    }
};

SystemFileDialogs systemDialogs;
FileDialogs* installed = nullptr;

} // namespace

void setFileDialogs(FileDialogs* dialogs) {
    installed = dialogs;
}

FileDialogs& fileDialogs() {
    return installed != nullptr ? *installed : systemDialogs;
}

QString ScriptedFileDialogs::saveFileName(const SaveFileRequest& request, QWidget* /*parent*/) {
    requests_.append(request);
    return answers_.isEmpty() ? QString() : answers_.takeFirst();
}

} // namespace nakva
