#pragma once

#include <QColor>
#include <QWidget>

namespace vq {

// A legend line: a horizontal stroke, two pixels wide, whose colour is also
// the colour the curve is drawn in.
class LegendLine : public QWidget
{
    Q_OBJECT
public:
    LegendLine(const QColor &colour, QWidget *parent);
    [[nodiscard]] QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour;
};

} // namespace vq
