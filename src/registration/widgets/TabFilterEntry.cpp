#include "registration/widgets/TabFilterEntry.h"

#include "ui/widgets/ListWindow.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

namespace nakva {

QWidget* filterEntry(ListWindow& window, const QString& prompt, const char* name, std::string_view variable,
                     bool number, std::function<std::string(Context&, const Value&)> beside) {
    auto* field = new QWidget(&window);
    auto* label = new QLabel(prompt, field);
    auto* entry = new QLineEdit(field);
    entry->setObjectName(name);
    label->setBuddy(entry);
    if (number) {
        entry->setValidator(new QIntValidator(0, 2147483647, entry));
    }
    QLabel* named = nullptr;
    if (beside) {
        named = new QLabel(field);
        named->setObjectName(QString::fromLatin1(name) + QStringLiteral("Name"));
    }
    QObject::connect(entry, &QLineEdit::editingFinished, entry,
                     [&window, entry, named, variable, number, beside = std::move(beside)] {
                         if (!entry->isModified()) {
                             return;
                         }
                         entry->setModified(false);
                         const std::string text = entry->text().trimmed().toStdString();
                         const Value value =
                             number ? Value(std::int64_t(entry->text().toLongLong())) : Value(text);
                         window.engine().variables().set(variable, value);
                         if (named != nullptr) {
                             named->setText(QString::fromStdString(beside(window.engine().context(), value)));
                         }
                         window.engine().reload();
                     });
    auto* layout = new QHBoxLayout(field);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(entry);
    if (named != nullptr) {
        layout->addWidget(named);
    }
    layout->addStretch(1);
    return field;
}

} // namespace nakva
