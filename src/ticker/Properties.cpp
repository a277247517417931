#include "ticker/Properties.h"

#include "platform/gui/Dialogs.h"
#include "ticker/ColorPicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>

#include <cmath>

FpropertyBaseClass::FpropertyBaseClass(const QString& prefix, QWidget* control, const QString& suffix)
    : ValueText(QStringLiteral("1")), Prefix(prefix), Suffix(suffix), m_control(control)
{
    RebuildAttributeText();
}

void FpropertyBaseClass::RebuildAttributeText()
{
    AttributeText = QLatin1Char(' ') + Prefix + FileValue() + Suffix + QStringLiteral("\r\n");
}

void FpropertyBaseClass::SetInt(int n)
{
    IntValue = n;
    ValueText = QString::number(n);
    RebuildAttributeText();
}

void FpropertyBaseClass::SetText(const QString& s)
{
    ValueText = s;
    RebuildAttributeText();
}

bool FpropertyBaseClass::CheckEditControl() const
{
    if (m_control)
        return true;
    Dialogs::information(nullptr, QString(), QString::fromLatin1(ClassName()) + ": Edit Object not assigned");
    return false;
}

QString FpropertyBaseClass::Name() const
{
    const qsizetype eq = Prefix.indexOf(QLatin1Char('='));
    return eq < 0 ? Prefix : Prefix.left(eq);
}

// --- integer ---------------------------------------------------------------------------

void FpropertyIntClass::WriteToControl()
{
    QWidget* control = EditControl();
    if (auto* spin = qobject_cast<QSpinBox*>(control))
        spin->setValue(IntValue);
    else if (auto* dspin = qobject_cast<QDoubleSpinBox*>(control))
        dspin->setValue(IntValue);
    else if (auto* slider = qobject_cast<QSlider*>(control))
        slider->setValue(IntValue);
}

bool FpropertyIntClass::ReadFromControl(QWidget*)
{
    if (!CheckEditControl())
        return false;
    QWidget* control = EditControl();
    if (auto* spin = qobject_cast<QSpinBox*>(control))
        IntValue = spin->value();
    else if (auto* dspin = qobject_cast<QDoubleSpinBox*>(control))
        IntValue = int(std::trunc(dspin->value()));
    else if (auto* slider = qobject_cast<QSlider*>(control))
        IntValue = slider->value();
    SetInt(IntValue);
    return true;
}

// --- string ----------------------------------------------------------------------------

void FpropertyStringClass::WriteToControl()
{
    if (!CheckEditControl())
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(EditControl()))
        edit->setText(ValueText);
}

bool FpropertyStringClass::ReadFromControl(QWidget*)
{
    if (!CheckEditControl())
        return false;
    if (auto* edit = qobject_cast<QLineEdit*>(EditControl()))
        SetText(edit->text());
    return true;
}

QString FpropertyStringClass::FileValue() const
{
    return EscapeXmlText(ValueText);
}

// --- Boolean ---------------------------------------------------------------------------

void FpropertyBooleanClass::WriteToControl()
{
    if (auto* box = qobject_cast<QCheckBox*>(EditControl()))
        box->setChecked(BoolValue);
}

bool FpropertyBooleanClass::ReadFromControl(QWidget* sender)
{
    // The sender decides, not the bound control: any other sender counts as a tick.
    if (auto* box = qobject_cast<QCheckBox*>(sender))
        SetBool(box->isChecked());
    else
        SetBool(sender != nullptr);
    return true;
}

void FpropertyBooleanClass::SetBool(bool b)
{
    BoolValue = b;
    ValueText = b ? QStringLiteral("true") : QStringLiteral("false");
    RebuildAttributeText();
}

// --- colour ----------------------------------------------------------------------------

void FpropertyColorClass::WriteToControl()
{
    if (!CheckEditControl())
        return;
    if (auto* picker = qobject_cast<ColorPicker*>(EditControl()))
        picker->setSelectedColor(ColorValue);
}

bool FpropertyColorClass::ReadFromControl(QWidget*)
{
    if (!CheckEditControl())
        return false;
    if (auto* picker = qobject_cast<ColorPicker*>(EditControl()))
        SetColor(picker->selectedColor());
    return true;
}

void FpropertyColorClass::SetColor(TColor c)
{
    ColorValue = c;
    ValueText = ColorToText(c);
    RebuildAttributeText();
}

// --- choice ----------------------------------------------------------------------------

FpropertyChoiceClass::FpropertyChoiceClass(const QString& prefix, QWidget* control, const QString& suffix,
                                           QStringList items)
    : FpropertyBaseClass(prefix, control, suffix), m_items(std::move(items))
{}

void FpropertyChoiceClass::WriteToControl()
{
    if (auto* list = qobject_cast<QComboBox*>(EditControl()))
        list->setCurrentIndex(IntValue);
}

bool FpropertyChoiceClass::ReadFromControl(QWidget*)
{
    auto* list = qobject_cast<QComboBox*>(EditControl());
    if (!list)
        return false;
    SetChoice(list->currentIndex());
    return true;
}

void FpropertyChoiceClass::SetChoice(int index)
{
    if (index < 0 || index >= m_items.size())
        index = 0;
    IntValue = index;
    SetText(m_items.at(index).toLower());
}

QString EscapeXmlText(const QString& text)
{
    QString result = text;
    result.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    result.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    result.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    result.replace(QLatin1Char('\''), QStringLiteral("&apos;"));
    result.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
    return result;
}
