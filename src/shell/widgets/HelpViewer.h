#pragma once

#include <QWidget>

#include <string_view>

class QTextBrowser;

namespace nakva {

// The program's help: the Lithuanian user guide from the program's resources, one window for the
// whole program, raised on every call.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows a topic (an anchor of the guide); empty: the contents at the top.
    void showTopic(std::string_view topic);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};

} // namespace nakva
