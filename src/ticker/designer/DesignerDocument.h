#pragma once

#include "app/helpers/Helpers.h"

#include <QString>

class QWidget;

// One entry font as the font panel shows it.
struct EntryFontData {
    QString face;
    int pointSize = 0;
    TColor color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// The entry background styles of the "Style:" list, in list order.
enum class EntryBackground { Solid = 0, Gradient = 1, Image = 2 };

// What the Designer panel does to the current ticker. The main window hands the panel an
// adapter over its current ticker document; tests hand it a recording stand-in. The panel
// keeps the rules (the updating-flag guards, when to mark the ticker modified) and this
// interface only carries them out.
class DesignerDocument {
public:
    virtual ~DesignerDocument() = default;

    // The ticker's and the entry style's ControlChanged for a control bound to their settings.
    virtual void ControlChanged(QWidget* control) = 0;
    virtual void EntryControlChanged(QWidget* control) = 0;
    virtual void SetModified() = 0;

    // mainwidth := width, then the ticker panel takes the width (its resize handler runs).
    virtual void SetMainWidth(int width) = 0;
    // mainheight := height, then the panel takes the height with the updating flag raised.
    virtual void SetMainHeight(int height) = 0;
    virtual void SetNewsHorz(bool horizontal) = 0;

    // Sets entrydrawbk, entrybkgdt, entrybkimage and the image folder for the style, and
    // invalidates the entry box.
    virtual void SetEntryBackground(EntryBackground style) = 0;
    // entrybkimage := the file name, the image folder := its folder, the picture loaded.
    virtual void SetEntryImage(const QString& filePath) = 0;

    // The entry font being edited (1 title .. 5 link, 0 none) and access to the fonts.
    virtual int SelectedFont() const = 0;
    virtual EntryFontData EntryFont(int index) const = 0;
    // Applies the font and invalidates the entry box.
    virtual void SetEntryFont(int index, const EntryFontData& font) = 0;
};
