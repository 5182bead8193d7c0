#include "preview/PagesShownDialog.h"

#include "preview/PreviewState.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace nakva {

namespace {

QSpinBox* countBox(const char* name, int value, int maximum, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(1, maximum);
    box->setSingleStep(1);
    box->setValue(value);
    return box;
}

} // namespace

PagesShownDialog::PagesShownDialog(int across, int down, QWidget* parent) : QDialog(parent) {
    setObjectName("pagesShownDialog");
    setWindowTitle(QStringLiteral("Rodyti ekrane keletą lapų:"));

    acrossBox_ = countBox("acrossBox", across, MaxPagesAcross, this);
    downBox_ = countBox("downBox", down, MaxPagesDown, this);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Horizontaliai"), acrossBox_);
    fields->addRow(QStringLiteral("Vertikaliai"), downBox_);

    auto* run = new QPushButton(QStringLiteral("Vykdyti"), this);
    run->setObjectName("runButton");
    run->setDefault(true);
    connect(run, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(run);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    acrossBox_->setFocus();
}

int PagesShownDialog::across() const {
    return acrossBox_->value();
}

int PagesShownDialog::down() const {
    return downBox_->value();
}

} // namespace nakva
