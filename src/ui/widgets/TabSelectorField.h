#pragma once

#include "ui/Requests.h"

#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QToolButton;

namespace nakva {

class ListWindow;

// A tab's selector (TabSelector) above the list's rows: the prompt, the entry, its look-up button
// (Ctrl+Down in the entry does the same) and the texts beside it. The look-up opens the selector's
// selection list by its name, beside the list window.
class TabSelectorField : public QWidget {
public:
    // The selector of the window's tab `tab`.
    TabSelectorField(ListWindow& window, int tab);
    ~TabSelectorField() override;

    QLineEdit* entry() const { return entry_; }
    QToolButton* lookUpButton() const { return button_; }
    // Shows the list's present value and its texts (once the list is open).
    void showValue();
    // The same when the list's value may have moved on (a record saved under another value), unless
    // the user is typing another into the entry.
    void followValue();

private:
    SelectCall choose();
    void lookUp();
    void accepted();
    void chosen(bool taken);

    ListWindow& window_;
    int tab_ = 0;
    std::string list_;
    std::string name_;
    QLineEdit* entry_ = nullptr;
    QToolButton* button_ = nullptr;
    std::vector<QLabel*> beside_;
};

} // namespace nakva
