#include "preview/PageJumpDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace nakva {

PageJumpDialog::PageJumpDialog(const QString& title, int current, int total, QWidget* parent)
    : QDialog(parent) {
    setObjectName("pageJumpDialog");
    setWindowTitle(title);

    auto* prompt = new QLabel(QStringLiteral("&Lapo Nr.:"), this);
    pageBox_ = new QSpinBox(this);
    pageBox_->setObjectName("pageBox");
    pageBox_->setRange(1, total);
    pageBox_->setValue(current);
    prompt->setBuddy(pageBox_);

    auto* run = new QPushButton(QStringLiteral("Vykdyti"), this);
    run->setObjectName("runButton");
    run->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Nutraukti"), this);
    cancel->setObjectName("cancelButton");
    connect(run, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* field = new QHBoxLayout;
    field->addWidget(prompt);
    field->addWidget(pageBox_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(run);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addLayout(buttons);

    pageBox_->selectAll();
    pageBox_->setFocus();
}

int PageJumpDialog::page() const {
    return pageBox_->value();
}

} // namespace nakva
