#pragma once

#include "app/helpers/Helpers.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

// One named, typed ticker setting. It keeps the attribute line that the settings file
// carries for it always up to date and may be bound to one Designer control.
//
// Binding: a setting refers to a plain QWidget* and looks at its kind when it reads or
// writes: QSpinBox / QDoubleSpinBox (spin edit), QSlider (track bar), QLineEdit (edit box),
// QCheckBox (check box), ColorPicker (colour picker), QComboBox (drop-down list, choice
// settings only). The control is not owned.
class FpropertyBaseClass {
public:
    FpropertyBaseClass(const QString& prefix, QWidget* control, const QString& suffix);
    virtual ~FpropertyBaseClass() = default;
    FpropertyBaseClass(const FpropertyBaseClass&) = delete;
    FpropertyBaseClass& operator=(const FpropertyBaseClass&) = delete;

    virtual void WriteToControl() {}
    virtual bool ReadFromControl(QWidget* sender)
    {
        Q_UNUSED(sender);
        return false;
    }

    const QString& GetAttributeText() const { return AttributeText; }
    void RebuildAttributeText();
    void SetInt(int n);
    int GetInt() const { return IntValue; }
    void SetText(const QString& s);
    bool CheckEditControl() const;

    // The attribute's name ("mainwidth"), taken from the prefix.
    QString Name() const;
    QWidget* EditControl() const { return m_control.data(); }
    void SetEditControl(QWidget* control) { m_control = control; }
    const QString& GetValueText() const { return ValueText; }

protected:
    virtual const char* ClassName() const { return "FpropertyBaseClass"; }
    // The value as it stands between the quotes of the attribute line.
    virtual QString FileValue() const { return ValueText; }

    TColor ColorValue = colors::Black;
    bool BoolValue = false;
    int IntValue = 0;
    QString AttributeText;
    QString ValueText;
    QString Prefix;
    QString Suffix;

private:
    QPointer<QWidget> m_control; // a control that goes away unbinds itself
};

class FpropertyIntClass : public FpropertyBaseClass {
public:
    using FpropertyBaseClass::FpropertyBaseClass;
    void WriteToControl() override;
    bool ReadFromControl(QWidget* sender) override;

protected:
    const char* ClassName() const override { return "FpropertyIntClass"; }
};

// Text values are kept as typed; the attribute line carries them escaped so that every
// settings file written is well-formed XML (text without the five special characters is
// written unchanged).
class FpropertyStringClass : public FpropertyBaseClass {
public:
    using FpropertyBaseClass::FpropertyBaseClass;
    void WriteToControl() override;
    bool ReadFromControl(QWidget* sender) override;
    const QString& GetText() const { return ValueText; }

protected:
    const char* ClassName() const override { return "FpropertyStringClass"; }
    QString FileValue() const override;
};

class FpropertyBooleanClass : public FpropertyBaseClass {
public:
    using FpropertyBaseClass::FpropertyBaseClass;
    void WriteToControl() override;
    bool ReadFromControl(QWidget* sender) override;
    void SetBool(bool b);
    bool GetBool() const { return BoolValue; }

protected:
    const char* ClassName() const override { return "FpropertyBooleanClass"; }
};

class FpropertyColorClass : public FpropertyBaseClass {
public:
    using FpropertyBaseClass::FpropertyBaseClass;
    void WriteToControl() override;
    bool ReadFromControl(QWidget* sender) override;
    void SetColor(TColor c);
    TColor GetColor() const { return ColorValue; }

protected:
    const char* ClassName() const override { return "FpropertyColorClass"; }
};

// A choice among fixed items ("Flash", "HTML5"), bound to a drop-down list whose items are
// in the same order. The value is the item's index; the file form is the item's lower-case
// text.
class FpropertyChoiceClass : public FpropertyBaseClass {
public:
    FpropertyChoiceClass(const QString& prefix, QWidget* control, const QString& suffix, QStringList items);
    void WriteToControl() override;
    bool ReadFromControl(QWidget* sender) override;
    void SetChoice(int index);
    int GetChoice() const { return IntValue; }
    const QStringList& Items() const { return m_items; }

protected:
    const char* ClassName() const override { return "FpropertyChoiceClass"; }

private:
    QStringList m_items;
};

// The escaping of attribute values and feed addresses: & < > ' " in that order.
QString EscapeXmlText(const QString& text);

using SettingList = std::vector<std::unique_ptr<FpropertyBaseClass>>;
