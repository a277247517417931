#pragma once

#include "app/helpers/Helpers.h"

#include <QWidget>

// A child painter that fills itself with a diagonal two-colour gradient: the start colour
// in the top-left corner, the stop colour in the bottom-right one. It reports clicks and
// mouse movement to its owner, which treats them as its own.
class GradientLayer : public QWidget {
    Q_OBJECT
public:
    explicit GradientLayer(QWidget* parent);
    void setColors(TColor start, TColor stop);

Q_SIGNALS:
    void clicked();
    void mouseMoved(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TColor m_start = colors::White;
    TColor m_stop = colors::Blue;
};
