#pragma once

class QColor;
class QFont;
class QPainter;

namespace kvr {
struct CSkin;
struct DrillView;
} // namespace kvr

namespace kvr::ui {

// Paints the drill window's drawn parts where the skin puts them: the background, the pass
// list "回答状況" with its separator line, the question band, the field titles, the answer
// marks, the large ○/× and "正解は" with the shown answer.
void paintDrillView(QPainter &painter, const DrillView &view, const CSkin &skin,
                    const QColor &background);

// The font of the pass list's title "回答状況": the skin's size, smaller where the title
// would otherwise reach the separator line.
QFont passListTitleFont(const CSkin &skin);

// Whether the painted parts of two views differ (the window repaints only then).
bool paintedPartsDiffer(const DrillView &a, const DrillView &b);

} // namespace kvr::ui
