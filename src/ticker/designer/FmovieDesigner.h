#pragma once

#include "ticker/designer/DesignerDocument.h"

class Fmovie;

// The Designer panel's view of a ticker document.
class FmovieDesigner : public DesignerDocument {
public:
    explicit FmovieDesigner(Fmovie* movie) : m_movie(movie) {}

    void ControlChanged(QWidget* control) override;
    void EntryControlChanged(QWidget* control) override;
    void SetModified() override;
    void SetMainWidth(int width) override;
    void SetMainHeight(int height) override;
    void SetNewsHorz(bool horizontal) override;
    void SetEntryBackground(EntryBackground style) override;
    void SetEntryImage(const QString& filePath) override;
    int SelectedFont() const override;
    EntryFontData EntryFont(int index) const override;
    void SetEntryFont(int index, const EntryFontData& font) override;

private:
    Fmovie* m_movie;
};
