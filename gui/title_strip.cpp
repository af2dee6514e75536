// The child windows' title strip and font: its pictures, the outline and dragging by it.
#include "gui/title_strip.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace lumo {
namespace {

const QColor kStripTop(0x3a, 0x8d, 0xad);
const QColor kStripBottom(0x16, 0x4a, 0x5f);

QLinearGradient stripGradient() {
    QLinearGradient gradient(0, 0, 0, kTitleStripHeight);
    gradient.setColorAt(0, kStripTop);
    gradient.setColorAt(1, kStripBottom);
    return gradient;
}

// Drawn in the strip's own units on a pixmap of the screen's pixels, so a HiDPI screen
// gets every pixel drawn rather than a blurred enlargement.
QPixmap blankStrip(int width, qreal ratio) {
    QPixmap pixmap((QSizeF(width, kTitleStripHeight) * ratio).toSize());
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QFont childWindowFont() {
    QFont font = QApplication::font();
    if (QFontDatabase::families().contains("MS Sans Serif")) {
        font.setFamily("MS Sans Serif");
    }
    font.setPointSize(8);
    return font;
}

QPixmap titleStripLeft(qreal ratio) {
    QPixmap pixmap = blankStrip(24, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(QPointF(), pixmap.deviceIndependentSize()), stripGradient());
    // A small radio: the program's mark at the left end of every child window.
    p.setPen(QPen(QColor(0xe8, 0xf4, 0xf8), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(8.5, 7.5, 8, 12), 1.5, 1.5);
    p.drawLine(QPointF(10.5, 7.5), QPointF(10.5, 3.5));
    p.drawLine(QPointF(10.5, 11.5), QPointF(14.5, 11.5));
    p.drawLine(QPointF(10.5, 14.5), QPointF(14.5, 14.5));
    return pixmap;
}

QPixmap titleStripMiddle(qreal ratio) {
    QPixmap pixmap = blankStrip(8, ratio);
    QPainter p(&pixmap);
    p.fillRect(QRectF(QPointF(), pixmap.deviceIndependentSize()), stripGradient());
    p.fillRect(QRectF(0, 0, pixmap.deviceIndependentSize().width(), 1), QColor(255, 255, 255, 60));
    return pixmap;
}

QPixmap titleStripClose(qreal ratio) {
    QPixmap pixmap = blankStrip(24, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(QPointF(), pixmap.deviceIndependentSize()), stripGradient());
    QPainterPath button;
    button.addRoundedRect(QRectF(4.5, 4.5, 15, 15), 3, 3);
    p.setPen(QColor(0x0e, 0x33, 0x42));
    p.setBrush(QColor(0xc8, 0x4b, 0x3c));
    p.drawPath(button);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8.5, 8.5), QPointF(15.5, 15.5));
    p.drawLine(QPointF(15.5, 8.5), QPointF(8.5, 15.5));
    return pixmap;
}

void RemoveCaptionAndFrame(QMdiSubWindow* window) {
    window->setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint);
    window->setContentsMargins(0, 0, 0, 0);
}

bool DragWindow(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    return buttons == Qt::LeftButton && modifiers == Qt::NoModifier;
}

QRegion roundedOutline(int width, int height) {
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width + 1, height + 10), 4, 5);
    return QRegion(path.toFillPolygon().toPolygon());
}

void RoundWindowCorners(QWidget* window, int width, int height) {
    if (window != nullptr && width > 0 && height > 0) {
        window->setMask(roundedOutline(width, height));
    }
}

}  // namespace lumo
