#pragma once

#include "data/Position.h"
#include "data/Record.h"
#include "data/StoreError.h"
#include "data/Variables.h"
#include "ui/FormConfig.h"
#include "ui/Requests.h"
#include "ui/ToolbarClient.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace nakva {

class Context;
class Table;

// What every window of one form shares for the program run: the record this form saved last (the
// history key's source; none until the first save) and where its window was last left.
struct FormMemory {
    struct Point {
        int x = 0;
        int y = 0;
    };
    std::optional<Record> history;
    std::optional<Point> position;
};
FormMemory& formMemory(std::string_view formName);

// A value a field cannot take, said as every form says it ("Negeras lauko turinys").
void showFieldMessage(const std::string& text);

// One record form without its window: a state machine over the form's table handle on the caller's
// context. The view shows the fields (items, in tab order), tells the engine what the user does, and
// after each call shows the record again, puts the focus where focusItem() says and closes the window
// once finished() is true.
//
// The form edits a copy of the record; the table's buffer receives it when it is written, and holds
// the saved record (the handle's current one) when the form has finished.
class FormEngine {
public:
    // Opens a look-up's selection list on the form's context (the value to open at stands in the
    // looked-up table's buffer; on Completed the chosen record is there) and answers through `done`,
    // at once or once the list has gone. Meanwhile the form waits (waiting()) and does nothing.
    using SelectList = std::function<void(const FormLookUp& lookUp, Context& context, SelectDone done)>;

    FormEngine(FormConfig config, Context& context, SelectList selectList);
    // A configuration built once and shared by every opening of its form.
    FormEngine(std::shared_ptr<const FormConfig> config, Context& context, SelectList selectList);
    ~FormEngine();
    FormEngine(const FormEngine&) = delete;
    FormEngine& operator=(const FormEngine&) = delete;

    // Opens the form for the caller's request. False when the call has finished without a window:
    // a delete (confirmed and done, or not), or an insert whose numbering was given up.
    bool open(Request request);

    const FormConfig& config() const { return *config_; }
    Context& context() const { return context_; }
    Table& table() const { return table_; }
    Request request() const { return request_; }
    // "Kuriamas naujas įrašas", "Įrašas taisomas", "View Record", followed by the form's title detail
    // when it has one ("Įrašas taisomas – Kazlauskas Jonas").
    std::string title() const;

    // The record being edited, and as it stood when the form opened.
    Record& record() { return edited_; }
    const Record& record() const { return edited_; }
    const Record& openingCopy() const { return former_; }
    // The record as it now stands becomes the opening copy: what the form's own opening hook set after
    // the record was numbered (a room its caller asked for) is no change of the user's.
    void keepAsOpened() {
        former_ = edited_;
        followed_ = former_;
    }
    // Where the record the form works on is stored (empty for a new record not yet added).
    const Position& position() const { return position_; }
    // The form's working values (FormWorkingValue), which its own logic sets.
    Variables& variables() { return variables_; }
    const Variables& variables() const { return variables_; }
    // Whether anything was changed: the record differs from its opening copy, or a child was saved or
    // deleted while the form was open.
    bool changed() const;
    // Whether the record's own fields differ from the opening copy, leaving out the values the
    // children gave the derived fields (FormConfig::derived): what leaving a changed record asks about.
    bool ownChanges() const;

    // The child lists configured on the form, each bound to the record's linking value.
    std::size_t childListCount() const { return config_->children.size(); }
    ListConfig childList(std::size_t child) const;

    // A record form of child list `child` called from this form (or an action of the form that writes
    // that list's children): the table's buffer receives the record as edited so far (what the child
    // form reads); when the child answers (through the FormDone `call` is given, at once or once its
    // window has gone) a completed child counts as a change, the list's closed hook recomputes what
    // follows its children, and then `done` hears the answer.
    void callChild(std::size_t child, const std::function<void(FormDone)>& call, FormDone done = {});

    // Items are the configured fields by their place in tab order.
    int itemCount() const { return int(config_->fields.size()); }
    const FormField& item(int item) const { return config_->fields[std::size_t(item)]; }
    int itemOfField(int field) const; // -1 when the field is not on the form
    bool itemEditable(int item) const;
    // Required: marked so, or holding the value other records link to (a country's name), which may
    // not be blank.
    bool itemRequired(int item) const;
    // The tooltip as shown: a look-up field's is extended with its key.
    std::string itemTooltip(int item) const;
    // The value as the field shows it, or the text the user typed that the field refused.
    std::string itemText(int item) const;

    int focusItem() const { return focus_; }
    void setFocusItem(int item) { focus_ = item; }
    void focusField(int field);
    // The user moved into the item: it has the focus, and the form's focused hook runs.
    void enterItem(int item);

    // The user's text for an item. A text the field cannot hold is shown as refused (the message says
    // why) and kept as typed; the save stops at it until it is corrected.
    bool setItemText(int item, std::string_view text);
    // The user accepted the item: its range, its look-up, the form's check and the computations tied
    // to it. False keeps the focus on it. A look-up value not found opens the selection list: false
    // then too, and a value chosen there is accepted when the list answers, with the focus moved on
    // to the next item (the listener hears of it).
    bool acceptItem(int item);
    // Ctrl+Down or the look-up button: the selection list at the current value; a choice is copied
    // in, the item accepted and the focus moved on; without a choice the focus stays on the item.
    void lookUp(int item);
    // A look-up's selection list is open: the form waits for its answer.
    bool waiting() const { return waiting_; }
    // Called after a look-up's list answered later than the call that opened it: the view shows the
    // record again, puts the focus where focusItem() says and closes once finished().
    void setListener(std::function<void()> listener) { listener_ = std::move(listener); }
    // The history key: the focused item receives the value of the history record.
    void restoreHistory();

    // The save button (and the toolbar's select button); the save-and-move buttons name their move.
    // A look-up checked on save whose value is not found opens its list; a choice saves again.
    void save(Navigation navigation = Navigation::None);
    // The cancel button, the toolbar's close button, closing the window. False when the form stays
    // open (the user chose to go on editing).
    bool cancel();

    bool finished() const { return finished_; }
    FormResult result() const { return result_; }
    Navigation navigation() const { return navigation_; }

    // The main window's toolbar while the form is active.
    bool toolbarEnabled(ToolbarButton button) const;
    std::string toolbarTooltip(ToolbarButton button) const;
    void toolbarPressed(ToolbarButton button);

private:
    bool numberRecord();
    void deleteRecord();
    // `chosen` runs when a look-up's list, opened because its value was not found, gives a value.
    bool checkItem(int item, bool finalCheck, const std::function<void()>& chosen);
    bool inRange(int item);
    bool lookUpValue(int item, const std::function<void()>& chosen);
    bool chooseFromList(int item, const std::function<void()>& chosen);
    void focusNext(int item);
    bool unique(int& clashingKey);
    int duplicateKey();
    std::string keyName(int key) const;
    bool makeCurrent();
    void saveInsert();
    std::optional<StoreStatus> writeNumbered();
    void saveChange();
    void failedSave(bool focusFirst);
    void finish(Response response);
    bool discard();

    std::shared_ptr<const FormConfig> config_;
    Context& context_;
    Table& table_;
    SelectList selectList_;
    FormMemory& memory_;
    std::vector<Table*> opened_;

    Request request_ = Request::None;
    Record edited_;
    Record former_;
    // The opening copy with the derived fields as the children last left them: the record's own
    // changes are the differences from it.
    Record followed_;
    Position position_;            // the record the form works on: its write goes to this one
    bool numbered_ = false;        // added when the form opened: removed again on cancel
    bool childrenChanged_ = false; // a child form saved or deleted while the form was open
    Variables variables_;
    std::map<int, std::string> refused_; // items whose typed text the field refused, as typed
    int focus_ = 0;
    Navigation navigation_ = Navigation::None;
    bool finished_ = false;
    FormResult result_;
    bool waiting_ = false;
    std::function<void()> listener_;
    // False once the engine has gone: a list answering later finds nobody to answer.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace nakva
