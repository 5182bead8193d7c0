#include "messages/MessageWindow.h"

#include "messages/MessageIcons.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace nakva {

namespace {

constexpr int kFontPointSize = 9;

// Rounded a * b / c, as dialog unit conversions are done.
int mulDiv(int a, int b, int c) {
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

} // namespace

QFont MessageWindow::messageFont() {
    QFont font(QStringLiteral("DejaVu Sans"), kFontPointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

MessageWindow::MessageWindow(const MessageRequest& request, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("messageWindow"));
    setFont(messageFont());
    const QFontMetrics metrics(font());
    const int alphabetWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseUnitX_ = std::max(1, (alphabetWidth / 26 + 1) / 2);
    baseUnitY_ = std::max(1, metrics.height());

    layout_ = layoutMessage(request, [&](std::string_view row) {
        const int pixels =
            metrics.horizontalAdvance(QString::fromUtf8(row.data(), static_cast<qsizetype>(row.size())));
        return (pixels * 4 + baseUnitX_ - 1) / baseUnitX_;
    });

    setWindowTitle(QString::fromStdString(layout_.title));
    setWindowModality(request.modal ? Qt::ApplicationModal : Qt::WindowModal);
    setFixedSize(toPixelsX(layout_.width), toPixelsY(layout_.height));

    if (layout_.icon != MessageIcon::None) {
        auto* icon = new QLabel(this);
        icon->setObjectName(QStringLiteral("messageIcon"));
        const QRect rect = toPixels(layout_.iconRect);
        icon->setGeometry(rect);
        icon->setPixmap(
            messageIconPixmap(layout_.icon, std::min(rect.width(), rect.height()), devicePixelRatioF()));
    }

    const int rowWidth = toPixelsX(layout_.width - layout_.textX);
    for (std::size_t i = 0; i < layout_.rows.size(); ++i) {
        auto* row = new QLabel(QString::fromStdString(layout_.rows[i]), this);
        row->setObjectName(QStringLiteral("messageRow%1").arg(i));
        row->setTextFormat(Qt::PlainText);
        row->setGeometry(toPixelsX(layout_.textX),
                         toPixelsY(layout_.firstRowY + static_cast<int>(i) * layout_.rowHeight), rowWidth,
                         toPixelsY(layout_.rowHeight));
        rows_.append(row);
    }

    const int iconSize = std::max(12, metrics.height() - 2);
    for (const MessageLayoutButton& item : layout_.buttons) {
        auto* button = new QPushButton(QString::fromStdString(item.caption), this);
        button->setObjectName(QStringLiteral("messageButton%1").arg(buttons_.size() + 1));
        button->setGeometry(toPixels(item.rect));
        button->setIcon(buttonIcon(item.icon));
        button->setIconSize(QSize(iconSize, iconSize));
        button->setAutoDefault(true);
        button->installEventFilter(this);
        const int result = item.result;
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        buttons_.append(button);
    }
    QPushButton* defaultButton = buttons_.at(static_cast<qsizetype>(layout_.defaultIndex));
    defaultButton->setDefault(true);
    defaultButton->setFocus();
}

void MessageWindow::reject() {
    if (layout_.hasCancel())
        done(ButtonCancel);
}

bool MessageWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* button = qobject_cast<QPushButton*>(watched);
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            moveFocus(button, -1);
            return true;
        case Qt::Key_Right:
        case Qt::Key_Down:
            moveFocus(button, +1);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MessageWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    buttons_.at(static_cast<qsizetype>(layout_.defaultIndex))->setFocus();
}

void MessageWindow::moveFocus(QPushButton* from, int step) {
    const qsizetype count = buttons_.size();
    const qsizetype at = buttons_.indexOf(from);
    buttons_.at(((at < 0 ? 0 : at) + step + count) % count)->setFocus(Qt::TabFocusReason);
}

int MessageWindow::toPixelsX(int units) const {
    return mulDiv(units, baseUnitX_, 4);
}

int MessageWindow::toPixelsY(int units) const {
    return mulDiv(units, baseUnitY_, 8);
}

QRect MessageWindow::toPixels(const DialogRect& rect) const {
    return QRect(toPixelsX(rect.x), toPixelsY(rect.y), toPixelsX(rect.width), toPixelsY(rect.height));
}

} // namespace nakva
