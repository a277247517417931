#pragma once

#include "app/helpers/Helpers.h"

#include <QWidget>

// A button-like control that shows its colour as a swatch and opens the colour dialog when
// clicked. The Designer's colour settings bind to it.
class ColorPicker : public QWidget {
    Q_OBJECT
public:
    explicit ColorPicker(QWidget* parent = nullptr);

    TColor selectedColor() const { return m_color; }
    // Shows the colour without emitting changed (the program's own writes are not edits).
    void setSelectedColor(TColor color);
    QSize sizeHint() const override;

Q_SIGNALS:
    // The user picked a colour that differs from the one shown.
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void pickColor();
    TColor m_color = colors::Black;
};
