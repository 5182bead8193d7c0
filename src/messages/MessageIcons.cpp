#include "messages/MessageIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace nakva {

namespace {

// Every picture is drawn on a 32 by 32 grid and scaled to the size asked for.
constexpr qreal kGrid = 32.0;

QPixmap canvas(int size, qreal devicePixelRatio) {
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void prepare(QPainter& painter, int size) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kGrid, size / kGrid);
}

QPen roundPen(const QColor& color, qreal width) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawInformation(QPainter& painter) {
    painter.setPen(roundPen(QColor(0x1c, 0x4f, 0x9c), 1.5));
    painter.setBrush(QColor(0x2f, 0x6f, 0xd0));
    painter.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(13.5, 6.5, 5, 5));
    painter.drawRoundedRect(QRectF(13.75, 13.5, 4.5, 12.5), 1.5, 1.5);
}

void drawExclamation(QPainter& painter) {
    QPainterPath triangle;
    triangle.moveTo(16, 2);
    triangle.lineTo(30.5, 29);
    triangle.lineTo(1.5, 29);
    triangle.closeSubpath();
    painter.setPen(roundPen(QColor(0x9a, 0x6a, 0x00), 1.5));
    painter.setBrush(QColor(0xf5, 0xc2, 0x18));
    painter.drawPath(triangle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x20, 0x20, 0x20));
    painter.drawRoundedRect(QRectF(14, 10, 4, 11), 1.5, 1.5);
    painter.drawEllipse(QRectF(14, 23, 4, 4));
}

void drawCheckMark(QPainter& painter) {
    painter.setPen(roundPen(QColor(0x1e, 0x8a, 0x2e), 5));
    painter.drawPolyline(QPolygonF({QPointF(5, 17), QPointF(13, 25), QPointF(27, 7)}));
}

void drawCancel(QPainter& painter) {
    painter.setPen(roundPen(QColor(0xc8, 0x1e, 0x1e), 5));
    painter.drawLine(QPointF(7, 7), QPointF(25, 25));
    painter.drawLine(QPointF(25, 7), QPointF(7, 25));
}

// Two short slanted strokes: "the same again".
void drawDitto(QPainter& painter) {
    painter.setPen(roundPen(QColor(0x23, 0x4e, 0x8c), 4.5));
    painter.drawLine(QPointF(12, 7), QPointF(8, 23));
    painter.drawLine(QPointF(23, 7), QPointF(19, 23));
}

void drawHelp(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2f, 0x6f, 0xd0));
    painter.drawEllipse(QRectF(2, 2, 28, 28));
    QPainterPath hook;
    hook.moveTo(11, 12.5);
    hook.cubicTo(11, 6, 21, 6, 21, 12);
    hook.cubicTo(21, 16, 16, 16, 16, 20);
    painter.setPen(roundPen(Qt::white, 3.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(14, 22.5, 4, 4));
}

QPixmap buttonPixmap(ButtonIconKind kind, int size) {
    QPixmap pixmap = canvas(size, 1.0);
    QPainter painter(&pixmap);
    prepare(painter, size);
    switch (kind) {
    case ButtonIconKind::CheckMark:
        drawCheckMark(painter);
        break;
    case ButtonIconKind::Cancel:
        drawCancel(painter);
        break;
    case ButtonIconKind::Ditto:
        drawDitto(painter);
        break;
    case ButtonIconKind::Help:
        drawHelp(painter);
        break;
    case ButtonIconKind::None:
        break;
    }
    return pixmap;
}

} // namespace

QPixmap messageIconPixmap(MessageIcon icon, int size, qreal devicePixelRatio) {
    QPixmap pixmap = canvas(size, devicePixelRatio);
    QPainter painter(&pixmap);
    prepare(painter, size);
    if (icon == MessageIcon::Information)
        drawInformation(painter);
    else if (icon == MessageIcon::Exclamation)
        drawExclamation(painter);
    return pixmap;
}

QIcon buttonIcon(ButtonIconKind kind) {
    QIcon icon;
    if (kind == ButtonIconKind::None)
        return icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(buttonPixmap(kind, size));
    return icon;
}

} // namespace nakva
