#pragma once

// The small spin button beside each editor field: two stacked arrows that
// report clicks. The value it stands for lives in the editor model; this
// widget only forwards the clicks (with auto-repeat while an arrow is held).

#include <QWidget>

class QToolButton;

namespace vq {

class UpDownButton : public QWidget
{
    Q_OBJECT

public:
    explicit UpDownButton(QWidget *parent = nullptr);

    [[nodiscard]] QToolButton *upArrow() const { return m_up; }
    [[nodiscard]] QToolButton *downArrow() const { return m_down; }

    // Names both arrows for screen readers after the field they step:
    // "Increase <caption>" and "Decrease <caption>".
    void setCaption(const QString &caption);

signals:
    void up();
    void down();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
};

} // namespace vq
