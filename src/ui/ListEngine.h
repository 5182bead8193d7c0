#pragma once

#include "data/Position.h"
#include "data/Record.h"
#include "data/StoreError.h"
#include "data/Variables.h"
#include "ui/ListConfig.h"
#include "ui/LocatorSteps.h"
#include "ui/Requests.h"
#include "ui/ToolbarClient.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class Context;
class OpenedTable;
class Table;
class View;

// One row of the page: the column texts of one record, its position in the sort order, its locator
// value (texts upper-cased) and the records of the list's table and its joined parents as read.
struct ListRow {
    std::vector<std::string> cells;
    std::vector<std::string> icons; // by column: the picture's name, empty for none
    Position position;
    Value locator;
    std::vector<Record> records;
};

enum class ListMove { RowDown, RowUp, PageDown, PageUp, Top, Bottom };
enum class ListAction { Insert, Change, Delete, Select };

// An item of the list's popup menu; an empty text is a separator.
struct PopupItem {
    std::string text;
    std::string icon;
    ListAction action = ListAction::Insert;
    bool enabled = false;
};

// The common list window without its widgets: a page of rows read from a sorted, filtered view of
// the table, never the whole table and with no read left open between calls; the current row;
// scrolling, the letter locator and the scroll bar's thumb; insert, change and delete through the
// table's record form with its navigation requests; sort tabs; refreshing; select mode.
//
//     ListEngine list(config, context);
//     list.setPageSize(20);
//     list.open();
//     list.typeCharacter("L");
//     list.press(ListAction::Change);
//
// A button that calls the record form leaves the list busy until the form answers (FormCall's `done`),
// at once or after the form's window has gone; the listener then hears of the rebuilt page.
//
// The record buffers of the list's table (and of its joined parents) on the context hold the record
// of the current row, and are cleared when the page is empty. A read error other than the end of the
// order shows warning 35 naming the table and makes the list ask to be closed; a view that cannot
// be opened shows warning 36 and leaves the list empty.
class ListEngine {
public:
    static constexpr int DefaultPageSize = 10;

    // `globals`: the program-wide variables that the list's own ones fall back to. Request Select
    // opens a list for a selection; anything else a maintenance list.
    ListEngine(ListConfig config, Context& context, Request request = Request::None,
               const Variables* globals = nullptr);
    ~ListEngine();
    ListEngine(const ListEngine&) = delete;
    ListEngine& operator=(const ListEngine&) = delete;

    const ListConfig& config() const { return config_; }
    Context& context() const { return context_; }
    bool selectMode() const { return select_; }

    // The list's own variables, which its filters name ("LOC:IrasoNr"). A change takes effect at
    // reload().
    Variables& variables() { return variables_; }
    // Replaces the configuration's form (the widgets open it next to the list's window).
    void setFormCall(FormCall form) { form_ = std::move(form); }
    // Called after every change of the page, the current row, the buttons or the closing state.
    void setListener(std::function<void()> listener) { listener_ = std::move(listener); }

    // Opens the tables and builds the first page: in select mode at the first record equal to or
    // after the value standing in the table's buffer (the last record past the end), otherwise at the
    // first record.
    void open();
    // Reads the variables again and rebuilds the page from the first record (a filter value changed).
    void reload();

    // The number of rows the list shows; a change rebuilds the page around the current record. Asked
    // during a call (the window resized while its form is open), it is taken when the call ends.
    void setPageSize(int rows);
    int pageSize() const { return pageSize_; }

    const std::vector<ListRow>& rows() const { return rows_; }
    int currentRow() const { return current_; } // 1 = top row; 0 when the page is empty
    // A row clicked: becomes current (ignored outside the page).
    void setCurrentRow(int row);

    bool scrollBarVisible() const;
    int thumb() const; // 0..100

    void move(ListMove move);
    // The thumb dragged to p (1..100).
    void dragThumb(int p);
    // A printable character typed in the list (one UTF-8 character): the letter locator.
    void typeCharacter(std::string_view character);
    // The locator entry accepted with a value: positions at the first record equal to or after it.
    void locate(const Value& value);
    bool hasLocator() const { return locator_.has_value(); }
    const std::string& locatorField() const;

    int tab() const { return tab_; }
    void selectTab(int tab);

    // The shown tab's selector (TabSelector); nullptr when it has none. The value of tab `tab`'s
    // selector as its entry shows it, and the texts beside it.
    const TabSelector* selector() const;
    std::string selectorText(int tab) const;
    std::vector<std::string> selectorBeside(int tab) const;
    // The selector's entry accepted with `typed`: a blank value is taken as it is, another is looked up
    // and taken as stored, and one not found opens the look-up's list (`choose`, on the list's context,
    // at the typed value) to take the chosen one. The list is read again from the top and `done` hears
    // true, at once or when the look-up's list answered. False, with nothing changed, when the text is
    // refused (a message says why) or the choice is cancelled: the cursor stays in the entry.
    void acceptSelector(std::string_view typed, const SelectCall& choose, std::function<void(bool)> done);
    // The selector's look-up button or Ctrl+Down: the list at the present value; a chosen value is
    // taken. `done` hears false when cancelled.
    void chooseSelector(const SelectCall& choose, std::function<void(bool)> done);

    bool visible(ListAction action) const;
    bool enabled(ListAction action) const;
    // A button pressed (or its key, popup item or toolbar button); a disabled one does nothing.
    void press(ListAction action);
    // Double click or Enter on a row: select in select mode, otherwise change.
    void activate();
    std::vector<PopupItem> popupMenu() const; // empty: the list has no popup menu
    // A list's own "Kopijuoti" on the current row: `copy` gets the table's handle with that record
    // current in its buffer, adds the copy (RecordCopy.h) and gives its position, or nothing when it
    // failed after its message. The page is shown on the copy. With `openForm` the record form is then
    // called on the copy once in change mode (a navigation request is not followed); cancelled, it
    // deletes the copy again through the guarded delete, and the copy leaves the page.
    void copyCurrent(const std::function<std::optional<Position>(Table& table)>& copy, bool openForm);

    // The window regained the focus, was restored or resized. Nothing is read while it is
    // minimised; the rebuild waits for the restore.
    void refresh();
    void setMinimised(bool minimised);

    // The close button: response cancelled in select mode, completed otherwise.
    void close();
    bool closing() const { return closing_; }
    Response response() const { return response_; }

    // Re-reads the current row's record into the buffer and makes it the table handle's current
    // record (before acting on it).
    StoreStatus regetCurrent();
    // Rebuilds the page on the table handle's current record, which becomes the current row: a record
    // that the list's own command has just written (a copy).
    void showCurrentRecord();

    // Every row of the shown tab, not only the page, in its order and filter: a view of its own,
    // opened and at its start (nullptr when it cannot be read, after the view's warning). Each row it
    // reads stands in the buffers, where bufferCells() gives its cells as the list shows them;
    // endReadingAllRows() puts the buffers back on the current row. An export reads so.
    std::unique_ptr<View> readAllRows();
    std::vector<std::string> bufferCells() const;
    void endReadingAllRows();

    bool toolbarEnabled(ToolbarButton button) const;
    std::string toolbarTooltip(ToolbarButton button) const;
    void toolbarPressed(ToolbarButton button);

private:
    enum class StartKind { First, Last, KeyValue, Position };
    struct Start {
        StartKind kind = StartKind::First;
        Position position;
    };

    std::unique_ptr<View> makeView() const;
    void openView();
    std::string combinedFilter() const;
    void notify();

    // Fills the page from the start point downward, then backward until full; `above` rows are read
    // before a position start first. The current row becomes `target` when it is on the page, else
    // the first record read from the start (or the nearest before it).
    bool fill(const Start& start, int above, const Position& target);
    bool fillRows(const Start& start, int above, const Position& target);
    bool fillCurrentAt(int row, const Start& start);
    bool readRow(bool forward, ListRow& row);
    // Reads on in the view's current read up to `limit` rows in all, nearest first. Edge: the order
    // ran out first; Closing: a read error closed the list.
    enum class ReadEnd { Full, Edge, Closing };
    ReadEnd readRows(bool forward, int limit, std::vector<ListRow>& read);
    // Up to a page of rows beyond the page's last (forward) or first row, nearest first, marking the
    // list's end when it is reached. False when nothing was read or the list is closing.
    bool readPage(bool forward, std::vector<ListRow>& read);
    bool ok(StoreStatus status);
    void fail();
    void afterRebuild();
    void buildSteps();
    void syncBuffers();

    bool resizePage(int rows); // true when the page was rebuilt
    bool rowDown();
    bool rowUp();
    void pageDown();
    void pageUp();
    bool rebuildOnRecord(const Position& record, int above);
    void rebuildAround(const Position& record);

    void bindSelectors();
    void skipBlankFirstTab();
    bool followSavedRecord(const Record& saved);
    bool showsRecord(const Position& record) const;
    void chooseSelectorValue(std::shared_ptr<OpenedTable> opened, const SelectCall& choose,
                             std::function<void(bool)> done);
    void takeSelectorValue(const Value& value);

    void setLocatorValue(const Value& value);
    bool startsWith(const Value& locator, std::string_view character) const;
    const Value& fieldValue(const FieldRef& field) const;
    Table& handle(const FieldRef& field) const;

    // The form called on the request; its answer arrives in formAnswered(), now or later. The list is
    // busy until then and endCall() ends that.
    void runForm(Request request);
    void formAnswered(Request request, FormResult result);
    void changeCopy();
    void endCall();
    Position savedPosition() const;
    void applyPrimes();

    const ListConfig config_;
    Context& context_;
    Table& table_;
    bool select_ = false;
    Variables variables_;
    FormCall form_;
    std::function<void()> listener_;

    std::vector<Table*> opened_;
    std::vector<Table*> handles_; // the table's, then each joined parent's
    std::vector<std::optional<FieldRef>> columns_;
    std::unique_ptr<View> view_;
    std::vector<FieldRef> orderFields_;
    std::optional<FieldRef> locator_;
    int locatorComponent_ = -1;

    int tab_ = 0;
    int pageSize_ = DefaultPageSize;
    int pendingPageSize_ = 0; // asked for during a call; 0: none
    std::vector<ListRow> rows_;
    int current_ = 0;
    bool atStart_ = true; // the page begins with the first record of the order
    bool atEnd_ = true;   // the page ends with the last
    LocatorSteps steps_;

    bool open_ = false;
    bool busy_ = false; // inside a call or its form open: window events arriving meanwhile read nothing
    bool minimised_ = false;
    bool refreshPending_ = false;
    bool closing_ = false;
    Response response_ = Response::Cancelled;
    // False once the engine has gone: a form or list answering later finds nobody to answer.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace nakva
