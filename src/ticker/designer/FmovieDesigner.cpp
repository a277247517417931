#include "ticker/designer/FmovieDesigner.h"

#include "app/helpers/AppState.h"
#include "ticker/Fblog.h"
#include "ticker/Fmovie.h"

#include <QFileInfo>

void FmovieDesigner::ControlChanged(QWidget* control)
{
    m_movie->ControlChanged(control);
}

void FmovieDesigner::EntryControlChanged(QWidget* control)
{
    m_movie->EntryStyle().ControlChanged(control);
}

void FmovieDesigner::SetModified()
{
    m_movie->Modified = true;
}

// The ticker's own resize handler then stores the size and moves the entry box with it.
void FmovieDesigner::SetMainWidth(int width)
{
    m_movie->IntSetting("mainwidth")->SetInt(width);
    m_movie->resize(width, m_movie->height());
}

// With the flag raised neither resize handler stores anything, so `newsheight` keeps its
// value until the next resize made without the flag.
void FmovieDesigner::SetMainHeight(int height)
{
    m_movie->IntSetting("mainheight")->SetInt(height);
    UpdatingGuard guard;
    m_movie->resize(m_movie->width(), height);
}

void FmovieDesigner::SetNewsHorz(bool horizontal)
{
    m_movie->BoolSetting("newshorz")->SetBool(horizontal);
}

void FmovieDesigner::SetEntryBackground(EntryBackground style)
{
    Fblog& entry = m_movie->EntryStyle();
    entry.BoolSetting("entrydrawbk")->SetBool(style == EntryBackground::Solid);
    entry.BoolSetting("entrybkgdt")->SetBool(style == EntryBackground::Gradient);
    if (style != EntryBackground::Image) {
        entry.StringSetting("entrybkimage")->SetText(QString());
        entry.ImageFolder.clear();
    }
    entry.update();
}

void FmovieDesigner::SetEntryImage(const QString& filePath)
{
    Fblog& entry = m_movie->EntryStyle();
    const QFileInfo info(filePath);
    entry.StringSetting("entrybkimage")->SetText(info.fileName());
    entry.ImageFolder = info.absolutePath() + "/";
    entry.LoadBackgroundPicture(filePath);
    entry.update();
}

int FmovieDesigner::SelectedFont() const
{
    return m_movie->SelectedFont();
}

EntryFontData FmovieDesigner::EntryFont(int index) const
{
    EntryFontData data;
    if (index < 1 || index > 5)
        return data;
    const ::EntryFont& font = m_movie->EntryStyle().Font(index);
    data.face = font.Font.family();
    data.pointSize = font.Font.pointSize();
    data.color = font.Color;
    data.bold = font.Font.bold();
    data.italic = font.Font.italic();
    data.underline = font.Font.underline();
    data.strikeOut = font.Font.strikeOut();
    return data;
}

void FmovieDesigner::SetEntryFont(int index, const EntryFontData& data)
{
    if (index < 1 || index > 5)
        return;
    Fblog& entry = m_movie->EntryStyle();
    ::EntryFont& font = entry.Font(index);
    font.Font.setFamily(data.face);
    font.Font.setPointSize(qMax(1, data.pointSize));
    font.Font.setBold(data.bold);
    font.Font.setItalic(data.italic);
    font.Font.setUnderline(false);
    font.Font.setStrikeOut(false);
    font.Color = data.color;
    entry.update();
}
