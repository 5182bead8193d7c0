#pragma once

#include <QObject>

class QProgressDialog;
class QTimer;
class QWidget;

namespace nakva {

class ListEngine;
class ListExport;

// "Eksportuoti…" of a list window: asks for the file through the file dialogs (FileDialogs.h), then
// writes the list's rows (ListExport) a portion at a time from a timer, with a progress window that
// shows when the export takes longer than half a second and whose "Nutraukti" cancels it. Tells the
// file and the number of rows when done. The object deletes itself at the end.
class ListExportRun : public QObject {
    Q_OBJECT
public:
    // Asks for the file and starts; nothing when the user cancels the dialog.
    static void start(ListEngine& list, QWidget* parent);

    ~ListExportRun() override;

signals:
    void finished();

private:
    ListExportRun(ListEngine& list, const QString& file, QWidget* parent);
    void tick();
    void end();

    ListExport* export_ = nullptr;
    QProgressDialog* progress_ = nullptr;
    QTimer* timer_ = nullptr;
    bool ended_ = false;
};

} // namespace nakva
