#pragma once

#include <QWidget>

// A rectangle border drawn over a picture; clicks pass through it.
class ShapeFrame : public QWidget
{
    Q_OBJECT
public:
    explicit ShapeFrame(QWidget *parent = nullptr);

    QColor borderColor() const { return m_colour; }
    void setBorderColor(const QColor &colour);

    static constexpr int BorderWidth = 2;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour = Qt::blue;
};
