#pragma once

// The colours of a rise and a fall in the company lists: red for a rise and
// blue for a fall, as Japanese markets show them, in the plain text colour
// when nothing changed.  Each is the first of its shades that reads well on
// the list's background (a contrast of at least 4.5 : 1), so a dark desktop
// theme gets a light red and blue; where no shade does (an unusual
// high-contrast theme), the text colour stands instead.  The sign of every
// figure stays in its text, so the colour is never the only cue.

#include <QColor>
#include <QPalette>
#include <QVariant>

enum class TVxTrend { Fall = -1, None = 0, Rise = 1 };

// The trend of a change: its sign.
template <typename TValue> TVxTrend TrendOf(TValue change) {
    return change > 0 ? TVxTrend::Rise : change < 0 ? TVxTrend::Fall : TVxTrend::None;
}

// The colour for `trend` on the background of `palette`'s item views.
QColor TrendColor(TVxTrend trend, const QPalette& palette);

// An item view's foreground for a figure of `trend`: the brush of its colour
// on the application's item views, or none (the view's own text colour) for
// no change.
QVariant TrendBrush(TVxTrend trend);

// The contrast ratio of two colours, from 1 (the same) to 21 (black on
// white).
double ContrastRatio(const QColor& a, const QColor& b);
