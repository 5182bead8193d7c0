#pragma once

#include "messages/MessageLayout.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

namespace nakva {

// The program's message window "Pranešimas", drawn from the headless layout. Dialog units become
// pixels the way Windows dialogs map them: 4 horizontal units per average character width and 8
// vertical units per character height of the window's font.
//
// The default button has the focus; Left/Up move it to the previous button and Right/Down to the
// next; Enter presses the focused button; Esc, like closing the window, answers Cancel when there is
// a Cancel button and does nothing otherwise. exec() returns the pressed button's value (or ordinal).
class MessageWindow : public QDialog {
    Q_OBJECT

public:
    explicit MessageWindow(const MessageRequest& request, QWidget* parent = nullptr);

    const MessageLayout& messageLayout() const { return layout_; }
    const QList<QLabel*>& rowLabels() const { return rows_; }
    const QList<QPushButton*>& buttons() const { return buttons_; }

    // DejaVu Sans: it has every Lithuanian letter.
    static QFont messageFont();

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    QRect toPixels(const DialogRect& rect) const;
    void moveFocus(QPushButton* from, int step);

    int baseUnitX_ = 1;
    int baseUnitY_ = 1;
    MessageLayout layout_;
    QList<QLabel*> rows_;
    QList<QPushButton*> buttons_;
};

} // namespace nakva
