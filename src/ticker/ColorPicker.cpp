#include "ticker/ColorPicker.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

ColorPicker::ColorPicker(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ColorPicker::setSelectedColor(TColor color)
{
    m_color = color;
    update();
}

QSize ColorPicker::sizeHint() const
{
    return {60, 22};
}

void ColorPicker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
    const QRect swatch = rect().adjusted(4, 4, -5, -5);
    painter.fillRect(swatch, ToQColor(m_color));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(swatch);
}

void ColorPicker::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        pickColor();
}

void ColorPicker::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return)
        pickColor();
    else
        QWidget::keyPressEvent(event);
}

void ColorPicker::pickColor()
{
    const QColor picked = QColorDialog::getColor(ToQColor(m_color), this);
    if (!picked.isValid() || FromQColor(picked) == m_color)
        return;
    m_color = FromQColor(picked);
    update();
    Q_EMIT changed();
}
