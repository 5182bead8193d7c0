#pragma once

#include <QDialog>

namespace nakva {

// The About window: the program picture, "Viešbučio paslaugų registras" and the institution's name.
// It closes by itself after 3 seconds, or at once on any click.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(const QString& institution, QWidget* parent = nullptr);

    static constexpr int ShownMilliseconds = 3000;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace nakva
