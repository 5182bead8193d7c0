#include "shell/widgets/AboutWindow.h"

#include <QIcon>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace nakva {

AboutWindow::AboutWindow(const QString& institution, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName("aboutWindow");
    setWindowTitle(QStringLiteral("Apie programą"));

    auto* picture = new QLabel(this);
    picture->setObjectName("picture");
    picture->setPixmap(QIcon(QStringLiteral(":/shell/program.svg")).pixmap(96, 96));
    picture->setAlignment(Qt::AlignCenter);

    auto* title = new QLabel(QStringLiteral("Viešbučio paslaugų registras"), this);
    title->setObjectName("title");
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    auto* name = new QLabel(institution, this);
    name->setObjectName("institution");
    name->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->setSpacing(12);
    layout->addWidget(picture);
    layout->addWidget(title);
    layout->addWidget(name);
    setStyleSheet(QStringLiteral("#aboutWindow { border: 2px solid #3a5a8c; }"));

    QTimer::singleShot(ShownMilliseconds, this, &QDialog::accept);
}

void AboutWindow::mousePressEvent(QMouseEvent* /*event*/) {
    accept();
}

void AboutWindow::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    accept();
}

} // namespace nakva
