#pragma once

#include <QWidget>

// A rectangle border drawn over a picture, its inside see-through or filled; clicks pass
// through it.
class ShapeFrame : public QWidget
{
    Q_OBJECT
public:
    enum class FillStyle { Transparent, Solid };

    explicit ShapeFrame(QWidget *parent = nullptr);

    QColor borderColor() const { return m_colour; }
    void setBorderColor(const QColor &colour);

    QColor fillColor() const { return m_fillColour; }
    void setFillColor(const QColor &colour);
    FillStyle fillStyle() const { return m_fillStyle; }
    void setFillStyle(FillStyle style);

    static constexpr int BorderWidth = 2;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour = Qt::blue;
    QColor m_fillColour = Qt::white;
    FillStyle m_fillStyle = FillStyle::Transparent;
};
