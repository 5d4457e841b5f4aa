#pragma once

#include <vector>

#include <QColor>
#include <QFont>
#include <QRectF>

#include "history/pagepaint.h"

class QPainter;

// Draws the history pages' paint records: the core decides what and where, this only maps
// its fonts, colours and rectangles onto a QPainter.
class QPushButton;
class QWidget;

namespace kvr::ui {

// A button of the history pages: named for tests, with its tooltip, never the default
// button by focus alone. Texts are UTF-8 literals.
QPushButton *pageButton(QWidget *parent, const char *name, const char *text, const char *tip);

QFont pageFont(PageFont font);
// A core rectangle (right and bottom outside) as a QRectF of the same extent.
QRectF pageRect(const RectF &rect);

// Each text with its top-left corner at (x, y), on a transparent background.
void drawPageTexts(QPainter &painter, const std::vector<PaintText> &texts);

// The outline of rect with a one-pixel pen, on the pixels inside it (its right and bottom
// edges are the last column and row in it).
void drawPageOutline(QPainter &painter, const RectF &rect, const QColor &colour);

} // namespace kvr::ui
