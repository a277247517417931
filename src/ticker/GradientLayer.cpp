#include "ticker/GradientLayer.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

GradientLayer::GradientLayer(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    hide();
}

void GradientLayer::setColors(TColor start, TColor stop)
{
    if (start == m_start && stop == m_stop)
        return;
    m_start = start;
    m_stop = stop;
    update();
}

void GradientLayer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient gradient(QPointF(0, 0), QPointF(width(), height()));
    gradient.setColorAt(0, ToQColor(m_start));
    gradient.setColorAt(1, ToQColor(m_stop));
    painter.fillRect(rect(), gradient);
}

void GradientLayer::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT mouseMoved(event);
}

void GradientLayer::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
}
