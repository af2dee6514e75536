// The main window's tool-bar pictures.
#include "gui/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace lumo {
namespace {

const QColor kInk(0x1d, 0x4e, 0x63);
const QColor kLightInk(0xc8, 0xe4, 0xee);
constexpr int kMiddleLightness = 128;
const QColor kPaper(0xf4, 0xf8, 0xfa);
const QColor kAccent(0x2f, 0x9c, 0xb8);

void drawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(10.5, 1.5);
    page.lineTo(13.5, 4.5);
    page.lineTo(13.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
    p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
}

void drawFolder(QPainter& p) {
    p.setBrush(QColor(0xf2, 0xc9, 0x4c));
    p.drawRect(QRectF(1.5, 4.5, 13, 9));
    p.drawRect(QRectF(1.5, 2.5, 5, 2));
}

void drawDisk(QPainter& p) {
    p.setBrush(kInk);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.drawRect(QRectF(3.5, 9.5, 9, 5));
}

void drawPrinter(QPainter& p) {
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(kInk);
    p.drawRect(QRectF(1.5, 6.5, 13, 6));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
}

void drawExit(QPainter& p) {
    p.setBrush(kPaper);
    p.drawRect(QRectF(2.5, 1.5, 7, 13));
    p.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 2));
    p.drawLine(QPointF(7, 8), QPointF(14, 8));
    p.drawLine(QPointF(11, 5), QPointF(14, 8));
    p.drawLine(QPointF(11, 11), QPointF(14, 8));
}

void drawRadio(QPainter& p) {
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(5.5, 4.5, 6, 11), 1.5, 1.5);
    p.drawLine(QPointF(7.5, 4.5), QPointF(7.5, 0.5));
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 6.5, 4, 3));
}

void drawArrow(QPainter& p, bool towardsRadio) {
    drawRadio(p);
    p.setPen(QPen(kAccent, 2));
    const qreal from = towardsRadio ? 0.5 : 4.5;
    const qreal to = towardsRadio ? 4.5 : 0.5;
    p.drawLine(QPointF(from, 10), QPointF(to, 10));
    p.drawLine(QPointF(to, 10), QPointF(2.5, 7.5));
    p.drawLine(QPointF(to, 10), QPointF(2.5, 12.5));
}

void drawGrid(QPainter& p) {
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    for (qreal y = 5.5; y < 13; y += 3) {
        p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
    }
    p.drawLine(QPointF(5.5, 2.5), QPointF(5.5, 13.5));
}

void drawSliders(QPainter& p) {
    for (int i = 0; i < 3; ++i) {
        const qreal y = 3.5 + i * 4.5;
        p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
        p.setBrush(kAccent);
        p.drawRect(QRectF(3.5 + i * 4, y - 1.5, 3, 3));
    }
}

// One picture drawn in its 16 units at `ratio` device pixels each.
QPixmap drawIcon(int imageNumber, qreal ratio, const QColor& ink) {
    QPixmap pixmap((QSizeF(16, 16) * ratio).toSize());
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1));
    switch (imageNumber) {
        case 0: drawPage(p); break;
        case 1: drawFolder(p); break;
        case 2: drawDisk(p); break;
        case 3: drawPrinter(p); break;
        case 7: drawExit(p); break;
        case 8: drawArrow(p, true); break;
        case 9: drawArrow(p, false); break;
        case 12: drawGrid(p); break;
        case 13: drawSliders(p); break;
        default:
            p.setBrush(kAccent);
            p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
            break;
    }
    return pixmap;
}

}  // namespace

// A HiDPI screen takes the picture drawn at twice the pixels, not the small one enlarged.
QIcon toolbarIcon(int imageNumber, const QColor& ground) {
    const QColor& ink = ground.lightness() < kMiddleLightness ? kLightInk : kInk;
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        icon.addPixmap(drawIcon(imageNumber, ratio, ink));
    }
    return icon;
}

}  // namespace lumo
