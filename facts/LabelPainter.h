#pragma once

#include "facts/LabelValues.h"

#include <QSizeF>

class QPainter;
class QRectF;

// Draws a Nutrition Facts label in the 2016 layout with two columns of amounts,
// the name above it and the notes on missing data below it. One drawing serves
// the screen, the printer and PDF: it is laid out in points (1/72 inch) at the
// painter's origin, and callers scale the painter to their device.
class NutritionLabelPainter {
public:
    explicit NutritionLabelPainter(const NutritionLabel& label);

    // The size of the whole drawing, in points.
    QSizeF size() const;
    void paint(QPainter& painter) const;
    // Paints scaled to fit `area` (in the painter's units), centred across it, at its top.
    void paintFitted(QPainter& painter, const QRectF& area) const;

    static constexpr double kWidth = 330;

private:
    // Lays the drawing out; paints too when given a painter. Returns the height.
    double layout(QPainter* painter) const;

    const NutritionLabel& label_;
};
