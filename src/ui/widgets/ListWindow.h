#pragma once

#include "ui/ListEngine.h"
#include "ui/ToolbarClient.h"

#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabBar;
class QTableView;
class QToolBar;

namespace nakva {

class Context;
class DateEntry;

// A record form as the widgets open it: next to the window that calls it; the caller goes on in `done`
// (FormWindow::call).
using WidgetFormCall = std::function<void(Context& context, Request request, QWidget* caller, FormDone done)>;

// An item of a list command's menu ("Mokėtojų sąrašą" under "Spausdinti..."): with items of its own a
// submenu ("Spausdinti"); an item without text is a separator line.
struct ListCommandItem {
    ListCommandItem() = default;
    ListCommandItem(std::string text, std::function<void()> run, std::vector<ListCommandItem> items = {})
        : text(std::move(text)), run(std::move(run)), items(std::move(items)) {}

    std::string text;
    std::function<void()> run;
    std::vector<ListCommandItem> items;
};

// A list's own command beside the common buttons: a button after "Pašalinti" ("Kopijuoti"), or with
// menu items a button that pops them up ("Spausdinti..."). With inPopup it is also an item (a submenu)
// of the popup menu after "Pasirinkti", shown while the list has rows. A shortcut presses the button
// (pops its menu up) from anywhere in the list's window; an icon puts it on the list's own toolbar too.
struct ListCommand {
    std::string name; // the button's object name: "copyButton"
    std::string text;
    std::string tooltip;
    bool needsRow = true; // disabled while the list is empty
    bool inPopup = false;
    std::string shortcut;       // "Ctrl+P"
    std::string toolbarIcon;    // a resource picture (":/registration/print.svg"); empty: not on the toolbar
    std::string toolbarTooltip; // "Spausdinti Ctrl + P"
    std::function<void()> run;
    std::vector<ListCommandItem> menu;
};

// The common list window: the sort tabs, an optional locator entry, the page of rows with its own
// scroll bar, "Pasirinkti", "Naujas", "Keisti", "Pašalinti", "Baigti" and "Pagalba". A thin view of a
// ListEngine; usable as a child window of the main window (it answers the frame's toolbar) and inside
// a form (embedded: without the close and help buttons).
//
// Keys in the list: arrows, PageUp, PageDown, Home, End scroll; Insert, Delete and Ctrl+Enter press
// the insert, delete and change buttons; Enter presses "Pasirinkti" in select mode; a printable
// character is the letter locator; the context-menu key and a right click show the popup menu, which
// always ends with "Eksportuoti…"; Esc closes the window as "Baigti" does.
class ListWindow : public QWidget, public ToolbarClient {
    Q_OBJECT
public:
    // A list on a context that its caller keeps (a selection list, a list inside a form).
    ListWindow(const ListConfig& config, Context& context, Request request = Request::None,
               QWidget* parent = nullptr, bool embedded = false);
    // A list started from the menu, with a context of its own.
    ListWindow(const ListConfig& config, std::unique_ptr<Context> context, QWidget* parent = nullptr);
    ~ListWindow() override;

    // Opens a list for a selection beside the caller and returns at once; the caller goes on in `done`
    // with Completed (the chosen record in the table's buffer on `context`) or Cancelled.
    //
    //     ListWindow::call(SarKamb(), context, this, [this](Response response) {
    //         if (response == Response::Completed) { /* the chosen room is in the buffer */ }
    //     });
    //
    // The window is a child of the caller's multiple-document area (on its own when there is none);
    // only the caller's window is disabled meanwhile, and `done` runs once the list has gone, with the
    // caller's window active again (CalledWindow.h); never when the caller went first. A list that
    // closes as it opens answers at once. `form` is the record form the list's buttons call; `setUp`
    // gives the window its own commands before it shows.
    static void call(const ListConfig& config, Context& context, QWidget* caller, SelectDone done,
                     WidgetFormCall form = {}, const std::function<void(ListWindow&)>& setUp = {});

    ListEngine& engine() { return *engine_; }
    // The record form opened with this window as its caller, instead of the configuration's.
    void setFormCall(WidgetFormCall form);
    // Adds a list's own command (ListCommand); its button by its name, nullptr for none.
    void addCommand(ListCommand command);
    QPushButton* commandButton(std::string_view name) const;
    // The list's own toolbar (nullptr until a command puts a button on it).
    QToolBar* commandBar() const { return commandBar_; }

    QTableView* table() const { return table_; }
    QScrollBar* scrollBar() const { return scrollBar_; }
    QTabBar* tabBar() const { return tabs_; }
    QPushButton* selectButton() const { return select_; }
    QPushButton* insertButton() const { return insert_; }
    QPushButton* changeButton() const { return change_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* closeButton() const { return close_; }
    QWidget* locatorEntry() const; // the shown tab's locator entry; nullptr when it has none
    // A widget of the list's own shown above the rows while the tab is shown (a filter field, a group
    // chooser). The window takes it.
    void setTabHeader(int tab, QWidget* header);

    // "Eksportuoti…" (the popup menu's item and the toolbar's button): the rows to a CSV file.
    void exportRows();

    bool toolbarEnabled(ToolbarButton button) const override;
    std::string toolbarTooltip(ToolbarButton button) const override;
    void toolbarPressed(ToolbarButton button) override;

    // Wide enough for its columns and high enough for a page of rows (a list of its own).
    QSize sizeHint() const override;

signals:
    // The list closed, with its response.
    void finished(nakva::Response response);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class Model;

    void build(bool embedded);
    void showLocator();
    void showWhole();
    void update();
    void fitPage();
    bool listKey(const QKeyEvent& key);
    void showPopup(const QPoint& where);
    void showPopupAtCurrentRow();
    void locateTyped();
    void closeFrame();
    QWidget* frame();

    std::unique_ptr<Context> ownContext_;
    std::unique_ptr<ListEngine> engine_;
    Model* model_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QLabel* locatorPrompt_ = nullptr;
    QLineEdit* locatorText_ = nullptr;
    DateEntry* locatorDate_ = nullptr;
    std::map<int, QWidget*> tabHeaders_;
    QTableView* table_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QPushButton* select_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* change_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* help_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    QToolBar* commandBar_ = nullptr;
    std::vector<std::pair<ListCommand, QPushButton*>> commands_;
    QSize preferred_;
    bool frameWatched_ = false;
    bool finished_ = false;
};

} // namespace nakva
