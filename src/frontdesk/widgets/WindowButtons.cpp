#include "frontdesk/widgets/WindowButtons.h"

#include "ui/Help.h"

#include <QBoxLayout>
#include <QMdiSubWindow>
#include <QPushButton>

namespace nakva {

void addCloseAndHelp(QWidget& window, QBoxLayout& row, std::string topic) {
    auto* close = new QPushButton(QStringLiteral("Baigti"), &window);
    close->setObjectName(QStringLiteral("closeButton"));
    QObject::connect(close, &QPushButton::clicked, &window, [&window] {
        auto* frame = qobject_cast<QMdiSubWindow*>(window.parentWidget());
        (frame != nullptr ? static_cast<QWidget*>(frame) : &window)->close();
    });
    auto* help = new QPushButton(QStringLiteral("Pagalba"), &window);
    help->setObjectName(QStringLiteral("helpButton"));
    QObject::connect(help, &QPushButton::clicked, &window, [topic = std::move(topic)] { showHelp(topic); });
    row.addWidget(close);
    row.addWidget(help);
}

} // namespace nakva
