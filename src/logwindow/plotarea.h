#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>

namespace vq {

// The plot area: a sunken two-pixel border round an image of the graph. The
// image is drawn only when the window redraws and is shown again on every
// repaint, so the graph survives being covered. Reports pointer movements in
// its own coordinates, and the cursor keys while it has the focus (Tab takes
// it there; a click does not).
class PlotArea : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kBorderPixels = 2;

    explicit PlotArea(QWidget *parent);

    // The keyboard cursor: a one-pixel vertical line at this column of the
    // widget, drawn over the image only while the plot has the focus (the
    // image itself never shows it). Negative: no line.
    void setCursorColumn(int column);
    [[nodiscard]] int cursorColumn() const { return m_cursorColumn; }
    // What a screen reader reads as the graph's value: the read-out's text,
    // empty while the read-out is hidden.
    void setAccessibleValue(const QString &text);
    [[nodiscard]] QString accessibleValue() const { return m_accessibleValue; }

    // The inside (the image) in the widget's coordinates.
    [[nodiscard]] QRect inside() const;
    [[nodiscard]] const QImage &image() const { return m_image; }
    // Makes the image the size of the inside and hands it out for drawing.
    [[nodiscard]] QImage &imageForDrawing();

signals:
    void pointerMoved(QPointF position, Qt::MouseButtons buttons);
    void leftPressed(QPointF position);
    void doubleClicked();
    // The wheel turned by `steps` notches (positive: away from the user).
    void wheelTurned(QPointF position, double steps);
    // Left, Right, Page Up, Page Down, Home or End was pressed.
    void cursorKeyPressed(int key);
    void focusChanged(bool hasFocus);

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void retranslate();

    QImage m_image;
    int m_cursorColumn = -1;
    QString m_accessibleValue;
};

} // namespace vq
