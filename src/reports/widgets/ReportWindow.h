#pragma once

#include <QWidget>

#include <memory>
#include <string_view>

class QLabel;
class QPushButton;
class QTimer;

namespace nakva {

class Context;
class PageFiles;
class ReportRun;
struct ReportSpec;

// A report run with windows: the parameter dialog, then this progress window ("Formuojama ataskaita"
// or "Formuoju ataskaitą...", its percentage and "Nutraukti") while a timer reads 25 records a tick,
// so the program stays responsive; then the preview, and the printer when the preview asks for it.
// The window closes itself when the run is over; the page files go with it.
//
// Started from the menu, it is the procedure's child window and owns its procedure context; started
// from a list's print menu (runReport), it runs on the list's context.
class ReportWindow : public QWidget {
    Q_OBJECT
public:
    // The run begins once the window is shown.
    ReportWindow(const ReportSpec& definition, Context& context, QWidget* parent = nullptr);
    ReportWindow(const ReportSpec& definition, std::unique_ptr<Context> own, QWidget* parent = nullptr);
    ~ReportWindow() override;

    ReportRun& run() const { return *run_; }
    QLabel* progressLabel() const { return progress_; }
    QPushButton* cancelButton() const { return cancel_; }

signals:
    // The run is over: the preview (if any) has closed and its printing is done.
    void finished();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void begin();
    void tick();
    void end();
    // The run is over: the window goes.
    void over();
    // The frame the window is shown in: its child window frame in the main window, or itself.
    QWidget* frame();

    std::unique_ptr<Context> own_;
    const ReportSpec& definition_;
    Context& context_;
    std::unique_ptr<ReportRun> run_;
    std::unique_ptr<PageFiles> files_;
    QLabel* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* timer_ = nullptr;
    bool begun_ = false;
};

// Runs a report for a window (a list's print menu) on that window's context, and returns at once. The
// progress window opens beside the caller in the main window when there is one; the caller's window
// is disabled until the run is over (CalledWindow.h), every other window stays free.
void runReport(const ReportSpec& definition, Context& context, QWidget* caller);
// The same for a report of the catalog by its name ("SpDidSask"), as a list's print menu starts it on
// the list's context: a report about one record (ReportSpec::subject; the invoices) takes the list's
// current record from the buffers there, so the highlighted registration's invoice prints. A name no
// report has shows warning 6 "Procedūra neapibrėžta".
void runCatalogReport(std::string_view name, Context& context, QWidget* caller);

} // namespace nakva
