#include "shell/widgets/HelpViewer.h"

#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace nakva {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("helpViewer");
    setWindowTitle(QStringLiteral("Pagalba"));
    setWindowIcon(QIcon(QStringLiteral(":/shell/help.svg")));

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("helpBrowser");
    browser_->setOpenExternalLinks(false);

    auto* tools = new QToolBar(this);
    QAction* back =
        tools->addAction(QIcon(QStringLiteral(":/shell/previous-record.svg")), QStringLiteral("Atgal"));
    QAction* forward =
        tools->addAction(QIcon(QStringLiteral(":/shell/next-record.svg")), QStringLiteral("Pirmyn"));
    QAction* home =
        tools->addAction(QIcon(QStringLiteral(":/shell/first-page.svg")), QStringLiteral("Turinys"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home, &QAction::triggered, this, [this] { showTopic({}); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(browser_);
    resize(760, 620);
}

void HelpViewer::showTopic(std::string_view topic) {
    QUrl url(QStringLiteral("qrc:/help/index.html"));
    if (!topic.empty()) {
        url.setFragment(QString::fromUtf8(topic.data(), static_cast<qsizetype>(topic.size())));
    }
    browser_->setSource(url);
    if (!topic.empty()) {
        browser_->scrollToAnchor(url.fragment());
    }
    show();
    raise();
    activateWindow();
}

} // namespace nakva
