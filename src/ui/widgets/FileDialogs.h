#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace nakva {

// A save dialog's request: its title, the file name it proposes (in the working folder), the filter
// ("PDF - Portable Document Format (*.pdf)") and the extension added to a name typed without one.
struct SaveFileRequest {
    QString title;
    QString defaultName;
    QString filter;
    QString defaultSuffix;
};

// Every file dialog of the program passes through the one installed interface: the system's dialogs
// in the program, a script in tests.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file's path; empty when the user cancelled.
    virtual QString saveFileName(const SaveFileRequest& request, QWidget* parent) = 0;
};

// The sink stays owned by the caller; nullptr restores the system's dialogs.
void setFileDialogs(FileDialogs* dialogs);
FileDialogs& fileDialogs();

// Installs file dialogs for a scope and puts the previous ones back when the scope ends.
class ScopedFileDialogs {
public:
    explicit ScopedFileDialogs(FileDialogs& dialogs) : previous_(&fileDialogs()) { setFileDialogs(&dialogs); }
    ~ScopedFileDialogs() { setFileDialogs(previous_); }
    ScopedFileDialogs(const ScopedFileDialogs&) = delete;
    ScopedFileDialogs& operator=(const ScopedFileDialogs&) = delete;

private:
    FileDialogs* previous_;
};

// Dialogs for tests: answers from a queue of given paths (an empty one cancels; an empty queue
// cancels too) and remembers every request.
class ScriptedFileDialogs : public FileDialogs {
public:
    QString saveFileName(const SaveFileRequest& request, QWidget* parent) override;

    void answerNext(const QString& path) { answers_.append(path); }
    const QList<SaveFileRequest>& requests() const { return requests_; }

private:
    QStringList answers_;
    QList<SaveFileRequest> requests_;
};

} // namespace nakva
