#include "reports/widgets/ParameterDialogWindow.h"

#include "messages/Message.h"
#include "reference/Services.h"
#include "ui/widgets/ChildSignals.h"
#include "ui/widgets/DateEntry.h"
#include "ui/widgets/SelectionLists.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace nakva {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const char* widgetName(DialogField field) {
    switch (field) {
    case DialogField::StartDate:
        return "startDate";
    case DialogField::EndDate:
        return "endDate";
    case DialogField::Group:
        return "group";
    case DialogField::Service:
        return "service";
    case DialogField::ServiceGroup:
        return "serviceGroup";
    case DialogField::IncludeDeparted:
        return "includeDeparted";
    case DialogField::WithoutPrices:
        return "withoutPrices";
    case DialogField::SummaryServiceName:
        return "summaryServiceName";
    }
    return "";
}

} // namespace

ParameterDialogWindow::ParameterDialogWindow(ParameterDialog dialog, Context& context, const Globals& globals,
                                             QWidget* parent)
    : QDialog(parent), dialog_(dialog), context_(context), values_(globals), lastGood_(globals) {
    const ParameterDialogDef& def = parameterDialogDef(dialog);
    setWindowTitle(qt(def.caption));
    setObjectName("parameterDialog");

    auto* grid = new QGridLayout;
    int row = 0;
    for (const DialogFieldDef& field : def.fields) {
        addField(field, grid, row++);
    }

    run_ = new QPushButton(qt(RunButtonText), this);
    run_->setObjectName("runButton");
    run_->setToolTip(qt(RunButtonTip));
    run_->setDefault(true);
    cancel_ = new QPushButton(qt(def.cancelText), this);
    cancel_->setObjectName("cancelButton");
    cancel_->setToolTip(qt(def.cancelTip));
    connect(run_, &QPushButton::clicked, this, [this] { runPressed(); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(run_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    for (const DialogFieldDef& field : def.fields) {
        show(field.field);
    }
}

ParameterDialogWindow::~ParameterDialogWindow() {
    detachChildren(this);
}

void ParameterDialogWindow::addField(const DialogFieldDef& def, QGridLayout* grid, int row) {
    const DialogField field = def.field;
    QWidget* widget = nullptr;
    if (isDateField(field)) {
        auto* entry = new DateEntry(this);
        entry->setTip({});
        connect(entry, &DateEntry::accepted, this, [this, field] { dateAccepted(field); });
        widget = entry;
    } else if (isFlagField(field)) {
        widget = new QCheckBox(qt(def.prompt), this);
    } else {
        auto* edit = new QLineEdit(this);
        if (field == DialogField::ServiceGroup) {
            edit->setValidator(new QIntValidator(0, 999999999, edit));
        } else {
            edit->setMaxLength(textFieldWidth(field));
        }
        widget = edit;
    }
    widget->setObjectName(widgetName(field));
    fields_[field] = widget;
    if (!isFlagField(field)) {
        auto* prompt = new QLabel(qt(def.prompt), this);
        prompt->setBuddy(widget);
        grid->addWidget(prompt, row, 0);
    }
    grid->addWidget(widget, row, 1);

    if (isLookUpField(field)) {
        QLineEdit* edit = lineEdit(field);
        edit->setToolTip(QStringLiteral("Pasirinkti iš sąrašo CtrlDown"));
        edit->installEventFilter(this);
        auto* button = new QToolButton(this);
        button->setObjectName(QString(widgetName(field)) + "LookUp");
        button->setText(QStringLiteral("..."));
        button->setToolTip(qt(LookUpButtonTip));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, field] { lookUp(field); });
        connect(edit, &QLineEdit::editingFinished, this, [this, field, edit] {
            if (edit->isModified()) {
                edit->setModified(false);
                checkLookUp(field);
            }
        });
        lookUps_[field] = button;
        grid->addWidget(button, row, 2);
        if (field == DialogField::ServiceGroup) {
            groupName_ = new QLabel(this);
            groupName_->setObjectName("serviceGroupName");
            grid->addWidget(groupName_, row, 3);
        }
    }
}

QWidget* ParameterDialogWindow::fieldWidget(DialogField field) const {
    const auto found = fields_.find(field);
    return found == fields_.end() ? nullptr : found->second;
}

QToolButton* ParameterDialogWindow::lookUpButton(DialogField field) const {
    const auto found = lookUps_.find(field);
    return found == lookUps_.end() ? nullptr : found->second;
}

QLineEdit* ParameterDialogWindow::lineEdit(DialogField field) const {
    return qobject_cast<QLineEdit*>(fieldWidget(field));
}

void ParameterDialogWindow::show(DialogField field) {
    QWidget* widget = fieldWidget(field);
    if (isDateField(field)) {
        static_cast<DateEntry*>(widget)->setDate(dialogDate(values_, field));
    } else if (isFlagField(field)) {
        static_cast<QCheckBox*>(widget)->setChecked(dialogFlag(values_, field));
    } else {
        QLineEdit* edit = lineEdit(field);
        edit->setText(QString::fromStdString(dialogText(values_, field)));
        if (field == DialogField::ServiceGroup) {
            groupName_->setText(QString::fromStdString(serviceGroupName(context_, values_.PaslGrpNr)));
        }
        edit->setModified(false);
    }
}

bool ParameterDialogWindow::take(DialogField field) {
    QWidget* widget = fieldWidget(field);
    if (isDateField(field)) {
        auto* entry = static_cast<DateEntry*>(widget);
        if (!entry->isValid()) {
            MessageRequest message;
            message.text = entry->errorText();
            message.icon = MessageIcon::Exclamation;
            showMessage(message);
            entry->setFocus();
            return false;
        }
        dialogDate(values_, field) = entry->date();
    } else if (isFlagField(field)) {
        dialogFlag(values_, field) = static_cast<QCheckBox*>(widget)->isChecked();
    } else {
        setDialogText(values_, field, lineEdit(field)->text().trimmed().toStdString());
    }
    return true;
}

void ParameterDialogWindow::checkLookUp(DialogField field) {
    take(field);
    if (lookUpFound(field, context_, values_)) {
        lastGood_ = values_;
        show(field);
        return;
    }
    lookUp(field);
}

void ParameterDialogWindow::lookUp(DialogField field) {
    chooseFromList(field, [this, field] {
        fieldWidget(field)->setFocus();
        focusNextChild();
    });
}

void ParameterDialogWindow::chooseFromList(DialogField field, std::function<void()> chosen) {
    take(field);
    primeLookUp(field, context_, values_);
    callSelectionList(dialogLookUp(field).list, context_, this,
                      [this, field, chosen = std::move(chosen)](Response response) {
                          if (response == Response::Completed) {
                              takeLookUpChoice(field, context_, values_);
                              lastGood_ = values_;
                          } else {
                              // A cancelled choice puts back what the field held before.
                              values_.Grupe = lastGood_.Grupe;
                              values_.Pasl = lastGood_.Pasl;
                              values_.PaslGrpNr = lastGood_.PaslGrpNr;
                          }
                          show(field);
                          fieldWidget(field)->setFocus();
                          if (response == Response::Completed) {
                              chosen();
                          }
                      });
}

void ParameterDialogWindow::dateAccepted(DialogField field) {
    // After a pick in the calendar the focus moves on: the start date to the end date, the end date to
    // the run button. (After typing, the user has moved it already.)
    if (!fieldWidget(field)->hasFocus() && !static_cast<DateEntry*>(fieldWidget(field))->edit()->hasFocus()) {
        return;
    }
    QWidget* end = fieldWidget(DialogField::EndDate);
    if (field == DialogField::StartDate && end != nullptr) {
        end->setFocus();
    } else {
        run_->setFocus();
    }
}

void ParameterDialogWindow::runPressed(std::size_t from) {
    const std::vector<DialogFieldDef>& fields = parameterDialogDef(dialog_).fields;
    for (std::size_t i = from; i < fields.size(); ++i) {
        const DialogField field = fields[i].field;
        if (!take(field)) {
            return;
        }
        if (isLookUpField(field) && !lookUpFound(field, context_, values_)) {
            // A value chosen for it goes on with the fields after it; none leaves the dialog open at
            // the field.
            chooseFromList(field, [this, i] { runPressed(i + 1); });
            return;
        }
    }
    acceptParameterDialog(dialog_, values_);
    accept();
}

bool ParameterDialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Down && (key->modifiers() & Qt::ControlModifier)) {
            for (const auto& [field, button] : lookUps_) {
                if (watched == fieldWidget(field)) {
                    lookUp(field);
                    return true;
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void askReportParameters(ParameterDialog dialog, Context& context, QWidget* parent, SelectDone done) {
    if (dialog == ParameterDialog::None) {
        done(Response::Completed);
        return;
    }
    openParameterDialog(dialog, glo());
    auto* window = new ParameterDialogWindow(dialog, context, glo(), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(window, &QDialog::finished, window, [window, done = std::move(done)](int result) {
        if (result != QDialog::Accepted) {
            done(Response::Cancelled);
            return;
        }
        glo() = window->values();
        done(Response::Completed);
    });
    static_cast<QDialog*>(window)->show();
}

} // namespace nakva
