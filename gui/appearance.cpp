// The windows' look on dark desktops: Fusion with a dark palette, or the desktop's own.
#include "gui/appearance.h"

#include <QApplication>
#include <QStyle>

namespace lumo {
namespace {

constexpr char kFusion[] = "Fusion";

void setColour(QPalette& palette, QPalette::ColorRole role, const QColor& normal,
               const QColor& disabled) {
    palette.setColor(QPalette::All, role, normal);
    palette.setColor(QPalette::Disabled, role, disabled);
}

// The desktop's palette, judged before ours covers it.
bool desktopIsDark() {
    QApplication::setPalette(QPalette());
    const int lightness = QApplication::palette().color(QPalette::Window).lightness();
    return desktopLooksDark(lightness, qEnvironmentVariable("GTK_THEME").toStdString());
}

void useFusion() {
    if (QApplication::style()->name().compare(kFusion, Qt::CaseInsensitive) != 0) {
        QApplication::setStyle(kFusion);
    }
}

}  // namespace

QPalette darkPalette() {
    const QColor text(0xe6, 0xe6, 0xe6);
    const QColor greyText(0x8c, 0x8c, 0x8c);
    const QColor window(0x35, 0x35, 0x35);
    const QColor base(0x23, 0x23, 0x23);
    QPalette palette;
    setColour(palette, QPalette::Window, window, window);
    setColour(palette, QPalette::WindowText, text, greyText);
    setColour(palette, QPalette::Base, base, QColor(0x2b, 0x2b, 0x2b));
    setColour(palette, QPalette::AlternateBase, QColor(0x2b, 0x2b, 0x2b), QColor(0x2b, 0x2b, 0x2b));
    setColour(palette, QPalette::Text, text, greyText);
    setColour(palette, QPalette::PlaceholderText, greyText, greyText);
    setColour(palette, QPalette::Button, window, window);
    setColour(palette, QPalette::ButtonText, text, greyText);
    setColour(palette, QPalette::BrightText, QColor(0xff, 0x6b, 0x6b), QColor(0xff, 0x6b, 0x6b));
    setColour(palette, QPalette::ToolTipBase, QColor(0x2b, 0x2b, 0x2b), QColor(0x2b, 0x2b, 0x2b));
    setColour(palette, QPalette::ToolTipText, text, greyText);
    // White on this blue still reads easily (contrast about 5:1).
    setColour(palette, QPalette::Highlight, QColor(0x1f, 0x6f, 0xc5), QColor(0x50, 0x50, 0x50));
    setColour(palette, QPalette::HighlightedText, Qt::white, QColor(0xb0, 0xb0, 0xb0));
    setColour(palette, QPalette::Link, QColor(0x5a, 0xa9, 0xff), QColor(0x5a, 0xa9, 0xff));
    setColour(palette, QPalette::LinkVisited, QColor(0xb0, 0x8c, 0xff), QColor(0xb0, 0x8c, 0xff));
    // The bevels: lighter above, darker below, as a raised button on a dark ground.
    setColour(palette, QPalette::Light, QColor(0x50, 0x50, 0x50), QColor(0x50, 0x50, 0x50));
    setColour(palette, QPalette::Midlight, QColor(0x42, 0x42, 0x42), QColor(0x42, 0x42, 0x42));
    setColour(palette, QPalette::Mid, QColor(0x2a, 0x2a, 0x2a), QColor(0x2a, 0x2a, 0x2a));
    setColour(palette, QPalette::Dark, QColor(0x1e, 0x1e, 0x1e), QColor(0x1e, 0x1e, 0x1e));
    setColour(palette, QPalette::Shadow, QColor(0x12, 0x12, 0x12), QColor(0x12, 0x12, 0x12));
    return palette;
}

QPalette lightGroundsOf(QPalette palette) {
    const QColor text(Qt::black);
    const QColor greyText(0x78, 0x78, 0x78);
    const QColor ground(Qt::white);
    const QColor face(0xef, 0xef, 0xef);
    setColour(palette, QPalette::Base, ground, face);
    setColour(palette, QPalette::AlternateBase, QColor(0xf7, 0xf7, 0xf7), face);
    setColour(palette, QPalette::Text, text, greyText);
    setColour(palette, QPalette::Window, face, face);
    setColour(palette, QPalette::WindowText, text, greyText);
    setColour(palette, QPalette::Button, face, face);
    setColour(palette, QPalette::ButtonText, text, greyText);
    setColour(palette, QPalette::Light, Qt::white, Qt::white);
    setColour(palette, QPalette::Midlight, QColor(0xe3, 0xe3, 0xe3), QColor(0xe3, 0xe3, 0xe3));
    setColour(palette, QPalette::Mid, QColor(0xa0, 0xa0, 0xa0), QColor(0xa0, 0xa0, 0xa0));
    setColour(palette, QPalette::Dark, QColor(0x80, 0x80, 0x80), QColor(0x80, 0x80, 0x80));
    return palette;
}

void applyAppearance(Appearance appearance) {
    switch (choosePalette(appearance, desktopIsDark())) {
        case PaletteChoice::Desktop:
            return;
        case PaletteChoice::Light:
            useFusion();
            QApplication::setPalette(QApplication::style()->standardPalette());
            return;
        case PaletteChoice::Dark:
            useFusion();
            QApplication::setPalette(darkPalette());
            return;
    }
}

}  // namespace lumo
