#pragma once

#include "app/helpers/Helpers.h"
#include "ticker/Properties.h"

#include <QFont>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <array>

class Fmovie;
class GradientLayer;
class TickerHost;
class XmlNode;

// A sample line of the entry preview: one per entry font, carrying the font's number.
class FblogLabel : public QLabel {
    Q_OBJECT
public:
    FblogLabel(int number, const QString& text, QWidget* parent);
    int Number() const { return m_number; }
    bool Selected() const { return m_selected; }
    void SetSelected(bool selected);

Q_SIGNALS:
    void clicked(FblogLabel* label);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_number;
    bool m_selected = false;
};

// A button image of the entry box (next / back). Never shown in the preview.
class FblogImage : public QLabel {
    Q_OBJECT
public:
    FblogImage(const QImage& builtIn, QWidget* parent);
    void SetPicture(const QImage& picture);
    QImage Picture() const { return m_picture; }

    QString FileName; // image file name without folder, as the settings file stores it
    QString FullPath; // where the output set copies it from

private:
    QImage m_picture;
};

// One entry font: the face, size and style, and its colour.
struct EntryFont {
    QFont Font;
    TColor Color = colors::Black;
};

// The entry style: how one news entry looks, and its preview inside the ticker.
class Fblog : public QWidget {
    Q_OBJECT
public:
    Fblog(Fmovie* owner, TickerHost* host);
    ~Fblog() override;

    // The entry settings in file order.
    const SettingList& Settings() const { return m_settings; }
    FpropertyBaseClass* Setting(const QString& name) const;
    FpropertyIntClass* IntSetting(const QString& name) const;
    FpropertyBooleanClass* BoolSetting(const QString& name) const;
    FpropertyColorClass* ColorSetting(const QString& name) const;
    FpropertyStringClass* StringSetting(const QString& name) const;

    // Fonts by number: 1 title, 2 author, 3 date, 4 text, 5 link.
    EntryFont& Font(int number);
    const EntryFont& Font(int number) const;
    FblogLabel* Label(int number) const;

    FblogImage* NextButton() const { return m_nextButton; }
    FblogImage* BackButton() const { return m_backButton; }
    GradientLayer* EntryGradientLayer() const { return m_gradient; }

    // The attribute lines of the entry settings, the button names and the fonts.
    QString WriteEntryAttributes() const;
    // Reads the entry attributes of a settings element; images are looked up beside the
    // settings file. Raises on a colour that does not parse; a named image that cannot be
    // loaded is reported through the host and the load goes on.
    void ReadEntryAttributes(const XmlNode& element, const QString& settingsFolder);
    void ControlChanged(QWidget* control);
    void SyncControls();
    // The defaults of a new entry style: settings, fonts, images. Bounds settings follow
    // the panel's current bounds.
    void ApplyDefaults();
    // Resize handler: the four bounds settings follow the panel unless updating.
    void EntryResized();
    // The bounds the program gave the panel itself while updating: a resize event that a
    // hidden panel delivers later for them is not taken for a user's resize.
    void NoteBoundsSeen() { m_seenBounds = geometry(); }
    // Clears every sample label's selection mark, then marks the one given (or none).
    void MarkLabel(FblogLabel* label);
    // Loads the background image from a file; an unreadable file gives an empty picture.
    bool LoadBackgroundPicture(const QString& path);

    QString ImageFolder;      // folder of the background image, trailing separator; empty when none
    QImage BackgroundPicture; // tiled over the entry box

    // The built-in next and back button pictures.
    static QImage BuiltInNextButton();
    static QImage BuiltInBackButton();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void CreateSettings();
    void CreateLabels();
    void ApplyDefaultFonts();
    void LayoutLabels();
    void ShowGradient();
    void TileBackground(QPainter& painter) const;
    void DrawBorder(QPainter& painter) const;
    void ReadFont(const XmlNode& element, const QString& prefix, EntryFont& font);
    void ReadButton(const XmlNode& element, const QString& name, FblogImage* button, const QImage& builtIn,
                    const QString& settingsFolder);
    void ReadBackgroundImage(const QString& settingsFolder);
    QString FontAttributes(const QString& prefix, const EntryFont& font) const;
    template <class T> T* Add(const QString& name);

    Fmovie* m_owner;
    TickerHost* m_host;
    SettingList m_settings;
    std::array<EntryFont, 5> m_fonts;
    std::array<FblogLabel*, 5> m_labels{};
    FblogImage* m_nextButton = nullptr;
    FblogImage* m_backButton = nullptr;
    GradientLayer* m_gradient = nullptr;
    QRect m_seenBounds;
    void BoundsChanged();
};

// Resolves an image name from a settings file: a name that exists as given is used,
// otherwise it is looked for in the settings file's folder.
QString ResolveImagePath(const QString& name, const QString& settingsFolder);
