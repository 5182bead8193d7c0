#include "preview/PrintPartDialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace nakva {

namespace {

QSpinBox* numberBox(const char* name, int value, int maximum, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(1, maximum);
    box->setValue(std::clamp(value, 1, maximum));
    return box;
}

} // namespace

PrintPartDialog::PrintPartDialog(const PrintOrder& last, int total, QWidget* parent) : QDialog(parent) {
    setObjectName("printPartDialog");
    setWindowTitle(QStringLiteral("Spausdinimo nustatymas"));

    auto* pagesGroup = new QGroupBox(QStringLiteral("Spausdinti lapus..."), this);
    allButton_ = new QRadioButton(QStringLiteral("Visus"), pagesGroup);
    allButton_->setObjectName("allButton");
    allButton_->setChecked(true);
    rangeButton_ = new QRadioButton(QStringLiteral(" Nuo"), pagesGroup);
    rangeButton_->setObjectName("rangeButton");
    fromBox_ = numberBox("fromBox", last.from, std::max(1, total), pagesGroup);
    fromBox_->setAccessibleName(QStringLiteral("Spausdinti lapus:"));
    toBox_ = numberBox("toBox", last.to, std::max(1, total), pagesGroup);
    auto* toLabel = new QLabel(QStringLiteral("iki"), pagesGroup);
    toLabel->setBuddy(toBox_);
    for (QSpinBox* box : {fromBox_, toBox_}) {
        box->installEventFilter(this);
        box->findChild<QLineEdit*>()->installEventFilter(this);
    }
    auto* pages = new QGridLayout(pagesGroup);
    pages->addWidget(allButton_, 0, 0);
    pages->addWidget(rangeButton_, 1, 0);
    pages->addWidget(fromBox_, 1, 1);
    pages->addWidget(toLabel, 1, 2);
    pages->addWidget(toBox_, 1, 3);

    auto* copiesGroup = new QGroupBox(QStringLiteral("Kopijų skaičius"), this);
    copiesBox_ = numberBox("copiesBox", last.copies, MaxCopies, copiesGroup);
    auto* copiesLabel = new QLabel(QStringLiteral("Kopijų skaičius:"), copiesGroup);
    copiesLabel->setBuddy(copiesBox_);
    auto* copies = new QHBoxLayout(copiesGroup);
    copies->addWidget(copiesLabel);
    copies->addWidget(copiesBox_, 1);

    auto* print = new QPushButton(QStringLiteral("Spausdinti"), this);
    print->setObjectName("printButton");
    print->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Nutraukti"), this);
    cancel->setObjectName("cancelButton");
    connect(print, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pagesGroup);
    layout->addWidget(copiesGroup);
    layout->addLayout(buttons);
    print->setFocus();
}

bool PrintPartDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        rangeButton_->setChecked(true);
    }
    return QDialog::eventFilter(watched, event);
}

PrintOrder PrintPartDialog::order() const {
    return {rangeButton_->isChecked(), fromBox_->value(), toBox_->value(), copiesBox_->value()};
}

} // namespace nakva
