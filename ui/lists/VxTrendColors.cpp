#include "ui/lists/VxTrendColors.h"

#include <QApplication>
#include <QBrush>
#include <QList>

#include <algorithm>
#include <cmath>

namespace {

// Text that small needs this much contrast to be read with ease.
constexpr double ReadableContrast = 4.5;

// Darker shades first: they read on light backgrounds, the lighter ones on
// dark backgrounds.
const QList<QColor> RiseShades{QColor(0xC0, 0x00, 0x00), QColor(0xFF, 0x6B, 0x6B)};
const QList<QColor> FallShades{QColor(0x00, 0x40, 0xC0), QColor(0x6C, 0xB4, 0xFF)};

// The relative luminance of a colour, from 0 (black) to 1 (white).
double Luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double lighter = std::max(Luminance(a), Luminance(b));
    const double darker = std::min(Luminance(a), Luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

QColor TrendColor(TVxTrend trend, const QPalette& palette) {
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    if (trend == TVxTrend::None)
        return text;
    const QColor background = palette.color(QPalette::Active, QPalette::Base);
    for (const QColor& shade : trend == TVxTrend::Rise ? RiseShades : FallShades)
        if (ContrastRatio(shade, background) >= ReadableContrast)
            return shade;
    return text;
}

QVariant TrendBrush(TVxTrend trend) {
    if (trend == TVxTrend::None)
        return {};
    return QBrush(TrendColor(trend, QApplication::palette("QAbstractItemView")));
}
