#pragma once

#include "ui/FormEngine.h"
#include "ui/ToolbarClient.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace nakva {

class DateEntry;
class ListWindow;

// The common record form's window: the fields on their tabs with prompts, tooltips and look-up
// buttons, and "Išsaugoti", "Nutraukti", "Pagalba". A thin view of a FormEngine: it tells the engine
// what the user does and shows the engine's record. Keys: Enter saves, Esc cancels, Ctrl+Down opens
// a look-up's list, Ctrl with the form's history key fills the focused field from the history record.
class FormWindow : public QWidget, public ToolbarClient {
    Q_OBJECT
public:
    // `engine` has been opened and outlives the window's use of it: the window lets go of it when
    // the form has finished.
    explicit FormWindow(FormEngine& engine, QWidget* parent = nullptr);
    ~FormWindow() override;

    // Calls a record form as its callers do, and returns at once; the caller goes on in `done`.
    //
    //     FormWindow::call(RedKamb(), context, Request::Change, this, [this](FormResult result) {
    //         if (result.response == Response::Completed) { /* the saved record is in the buffer */ }
    //     });
    //
    // A delete, or an insert whose numbering was given up, answers at once (`done` runs before call
    // returns). Otherwise the window opens beside the caller as a child of its multiple-document area,
    // or on its own when there is none (CalledWindow.h): the caller's window is disabled, every other
    // window stays free, and `done` runs once the form's window has gone, with the caller's window
    // active again. `done` never runs when the caller went first. `setUp` adds the form's own widgets
    // (sub-lists on its tabs) before the window shows.
    static void call(std::shared_ptr<const FormConfig> config, Context& context, Request request,
                     QWidget* caller, FormDone done, const std::function<void(FormWindow&)>& setUp = {});
    static void call(const FormConfig& config, Context& context, Request request, QWidget* caller,
                     FormDone done, const std::function<void(FormWindow&)>& setUp = {}) {
        call(std::make_shared<const FormConfig>(config), context, request, caller, std::move(done), setUp);
    }

    // The control that edits an item (a line edit, check box, drop list or date entry).
    QWidget* itemWidget(int item) const;
    QToolButton* lookUpButton(int item) const; // nullptr when the item has none
    QLabel* besideText(int item) const;        // nullptr when the item has none
    QTabWidget* tabs() const { return tabs_; }
    // A tab's page, for a form's own widgets (a sub-list, a text beside a field); it scrolls when the
    // window is smaller than its fields.
    QWidget* tabPage(int tab) const;
    // The configured child lists (FormChildList) in their order, and the working values' texts.
    ListWindow* childList(int child) const { return children_.at(std::size_t(child)); }
    QLabel* workingValue(int value) const { return workingValues_.at(std::size_t(value)); }
    QPushButton* saveButton() const { return save_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* helpButton() const { return help_; }

    // The form's engine while the window works on it; nullptr once the form has finished.
    FormEngine* engine() const { return engine_; }
    // Shows the engine's record again, after the form's own logic changed it.
    void showRecord();

    bool toolbarEnabled(ToolbarButton button) const override;
    std::string toolbarTooltip(ToolbarButton button) const override;
    void toolbarPressed(ToolbarButton button) override;

signals:
    void finished(nakva::FormResult result);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        QWidget* widget = nullptr;
        QLineEdit* edit = nullptr; // the text the user types, for every control but a check box
        QCheckBox* check = nullptr;
        QComboBox* combo = nullptr;
        DateEntry* date = nullptr;
        QToolButton* lookUp = nullptr;
        QLabel* beside = nullptr;
    };

    void build();
    void buildChildren();
    Item makeItem(int item, QWidget* page);
    int itemOf(const QObject* object) const;
    bool isHistoryKey(const QKeyEvent& event) const;
    QString typedText(int item) const;
    bool pushText(int item);
    void itemAccepted(int item);
    bool commitTyped();
    void save(Navigation navigation);
    void lookUp(int item);
    void afterAction(bool moveFocus);
    void focusItem(int item);
    QWidget* focusTarget(int item) const;
    void growToFit();
    QWidget* frame() const;

    std::unique_ptr<FormEngine> ownEngine_; // a called form's, which goes with its window
    FormEngine* engine_;
    std::vector<Item> items_;
    QTabWidget* tabs_ = nullptr;
    std::vector<QWidget*> pages_;
    std::vector<ListWindow*> children_;
    std::vector<QLabel*> workingValues_;
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* help_ = nullptr;
};

} // namespace nakva
