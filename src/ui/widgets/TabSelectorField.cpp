#include "ui/widgets/TabSelectorField.h"

#include "ui/ListEngine.h"
#include "ui/widgets/ChildSignals.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/SelectionLists.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QToolButton>

#include <functional>
#include <memory>
#include <string>

namespace nakva {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The selector's entry: Ctrl+Down opens the look-up as its button does.
class SelectorEntry : public QLineEdit {
public:
    SelectorEntry(QWidget* parent, std::function<void()> lookUp)
        : QLineEdit(parent), lookUp_(std::move(lookUp)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Down && event->modifiers().testFlag(Qt::ControlModifier)) {
            lookUp_();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

private:
    std::function<void()> lookUp_;
};

} // namespace

TabSelectorField::TabSelectorField(ListWindow& window, int tab)
    : QWidget(&window), window_(window), tab_(tab),
      list_(window.engine().config().tabs.at(std::size_t(tab)).selector->lookUp.list) {
    const TabSelector& selector = *window.engine().config().tabs.at(std::size_t(tab)).selector;
    auto* prompt = new QLabel(qt(selector.prompt), this);
    entry_ = new SelectorEntry(this, [this] { lookUp(); });
    button_ = new QToolButton(this);
    entry_->setObjectName(qt(selector.name + "Filter"));
    entry_->setToolTip(QStringLiteral("Pasirinkti iš sąrašo CtrlDown"));
    const FieldDef& field =
        Dictionary::instance().table(selector.lookUp.table).fields[std::size_t(selector.lookUp.field)];
    if (field.type == FieldType::String) {
        entry_->setMaxLength(field.size);
    }
    prompt->setBuddy(entry_);
    button_->setObjectName(qt(selector.name + "LookUp"));
    button_->setText(QStringLiteral("…"));
    button_->setToolTip(QStringLiteral("Atverčia sarašą reikšmei pasirinkti"));
    button_->setFocusPolicy(Qt::NoFocus);
    connect(button_, &QToolButton::clicked, this, [this] { lookUp(); });
    connect(entry_, &QLineEdit::editingFinished, this, [this] { accepted(); });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(prompt);
    layout->addWidget(entry_, selector.beside ? 0 : 1);
    layout->addWidget(button_);
    name_ = selector.name;
}

TabSelectorField::~TabSelectorField() {
    detachChildren(this);
}

void TabSelectorField::showValue() {
    const ListEngine& engine = window_.engine();
    entry_->setText(qt(engine.selectorText(tab_)));
    entry_->setModified(false);
    const std::vector<std::string> texts = engine.selectorBeside(tab_);
    // One framed text for each the selector gives.
    while (beside_.size() < texts.size()) {
        const std::size_t number = beside_.size() + 1;
        auto* text = new QLabel(this);
        text->setObjectName(qt(name_ + "Name" + (number == 1 ? std::string() : std::to_string(number))));
        text->setFrameShape(QFrame::StyledPanel);
        auto* row = static_cast<QHBoxLayout*>(layout());
        row->addSpacing(6);
        row->addWidget(text, 1);
        beside_.push_back(text);
    }
    for (std::size_t i = 0; i < beside_.size(); ++i) {
        beside_[i]->setText(i < texts.size() ? qt(texts[i]) : QString());
    }
}

void TabSelectorField::followValue() {
    if (!entry_->isModified() && entry_->text() != qt(window_.engine().selectorText(tab_))) {
        showValue();
    }
}

SelectCall TabSelectorField::choose() {
    return [this](Context& context, SelectDone done) {
        callSelectionList(list_, context, &window_, std::move(done));
    };
}

// After a choice the list shows it and the focus moves on to its rows, the way the user was going;
// without one the cursor is back in the entry, the typed value kept to be corrected.
void TabSelectorField::chosen(bool taken) {
    if (!taken) {
        entry_->setFocus();
        return;
    }
    showValue();
    window_.table()->setFocus();
}

void TabSelectorField::lookUp() {
    window_.engine().chooseSelector(choose(), [field = QPointer<TabSelectorField>(this)](bool taken) {
        if (field) {
            field->chosen(taken);
        }
    });
}

void TabSelectorField::accepted() {
    if (!entry_->isModified()) {
        return;
    }
    entry_->setModified(false);
    // A value found at once is shown where the user went; one chosen from the list moves on.
    const auto later = std::make_shared<bool>(false);
    window_.engine().acceptSelector(entry_->text().toStdString(), choose(),
                                    [field = QPointer<TabSelectorField>(this), later](bool taken) {
                                        if (!field) {
                                            return;
                                        }
                                        if (*later) {
                                            field->chosen(taken);
                                        } else if (taken) {
                                            field->showValue();
                                        } else {
                                            field->entry_->setFocus();
                                        }
                                    });
    *later = true;
}

} // namespace nakva
