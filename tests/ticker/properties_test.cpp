#include "platform/gui/Dialogs.h"
#include "ticker/ColorPicker.h"
#include "ticker/Properties.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

template <class T> std::unique_ptr<T> make(const char* name, QWidget* control = nullptr)
{
    return std::make_unique<T>(QString::fromLatin1(name) + "=\"", control, "\"");
}

TEST(SettingObjects, AttributeLineFollowsEveryKindOfValue)
{
    auto width = make<FpropertyIntClass>("mainwidth");
    EXPECT_EQ(width->GetAttributeText(), " mainwidth=\"1\"\r\n"); // before any default
    width->SetInt(-200);
    EXPECT_EQ(width->GetAttributeText(), " mainwidth=\"-200\"\r\n");

    auto name = make<FpropertyStringClass>("entrybkimage");
    name->SetText("");
    EXPECT_EQ(name->GetAttributeText(), " entrybkimage=\"\"\r\n");

    auto flag = make<FpropertyBooleanClass>("bkgdt");
    EXPECT_EQ(flag->GetAttributeText(), " bkgdt=\"1\"\r\n");
    flag->SetBool(false);
    EXPECT_EQ(flag->GetAttributeText(), " bkgdt=\"false\"\r\n");

    auto color = make<FpropertyColorClass>("bkcolor");
    color->SetColor(colors::Blue);
    EXPECT_EQ(color->GetAttributeText(), " bkcolor=\"0x0000FF\"\r\n");
}

TEST(SettingObjects, SystemColourKeepsItsCodeAndWritesItsCurrentValue)
{
    auto color = make<FpropertyColorClass>("bkcolor");
    color->SetColor(colors::BtnFace);
    EXPECT_EQ(color->GetColor(), colors::BtnFace);
    EXPECT_EQ(color->GetValueText(), ColorToText(ResolveColor(colors::BtnFace)));
    EXPECT_FALSE(color->GetValueText().isEmpty());
}

TEST(SettingObjects, TextIsKeptAsTypedButWrittenEscaped)
{
    auto font = make<FpropertyStringClass>("titlefontname");
    font->SetText("A&B <\"x\"> 'y'");
    EXPECT_EQ(font->GetText(), "A&B <\"x\"> 'y'");
    EXPECT_EQ(font->GetAttributeText(), " titlefontname=\"A&amp;B &lt;&quot;x&quot;&gt; &apos;y&apos;\"\r\n");
}

TEST(SettingObjects, ExchangeValuesWithEachKindOfControl)
{
    QSpinBox spin;
    spin.setRange(0, 1000);
    QDoubleSpinBox fractional;
    QSlider slider;
    slider.setRange(0, 300);
    QLineEdit edit;
    ColorPicker picker;

    auto viaSpin = make<FpropertyIntClass>("mainwidth", &spin);
    viaSpin->SetInt(350);
    viaSpin->WriteToControl();
    EXPECT_EQ(spin.value(), 350);
    spin.setValue(123);
    EXPECT_TRUE(viaSpin->ReadFromControl(&spin));
    EXPECT_EQ(viaSpin->GetAttributeText(), " mainwidth=\"123\"\r\n");

    auto viaFraction = make<FpropertyIntClass>("entrybkalpha", &fractional);
    fractional.setValue(12.9);
    viaFraction->ReadFromControl(nullptr);
    EXPECT_EQ(viaFraction->GetInt(), 12);

    auto viaSlider = make<FpropertyIntClass>("scrollpause", &slider);
    slider.setValue(10);
    viaSlider->ReadFromControl(&slider);
    EXPECT_EQ(viaSlider->GetInt(), 10);

    auto viaEdit = make<FpropertyStringClass>("entrybkimage", &edit);
    edit.setText("tile.png");
    viaEdit->ReadFromControl(&edit);
    EXPECT_EQ(viaEdit->GetText(), "tile.png");

    auto viaPicker = make<FpropertyColorClass>("bkcolor", &picker);
    viaPicker->SetColor(colors::Red);
    viaPicker->WriteToControl();
    EXPECT_EQ(picker.selectedColor(), colors::Red);
    picker.setSelectedColor(colors::Navy);
    viaPicker->ReadFromControl(&picker);
    EXPECT_EQ(viaPicker->GetValueText(), "0x000080");
}

TEST(SettingObjects, BooleanTakesTheSendersState)
{
    QCheckBox bound, other;
    auto flag = make<FpropertyBooleanClass>("entrydrawborder", &bound);
    bound.setChecked(true);
    other.setChecked(false);
    flag->ReadFromControl(&other);
    EXPECT_FALSE(flag->GetBool());
    QSlider notACheckBox;
    flag->ReadFromControl(&notACheckBox);
    EXPECT_TRUE(flag->GetBool());
    flag->ReadFromControl(nullptr);
    EXPECT_FALSE(flag->GetBool());
}

TEST(SettingObjects, MissingControlIsReportedByClassNameAndChangesNothing)
{
    Dialogs::clearQueue();
    Dialogs::queueButton(QMessageBox::Ok);
    auto name = make<FpropertyStringClass>("entrybkimage");
    name->SetText("keep.png");
    EXPECT_FALSE(name->ReadFromControl(nullptr));
    EXPECT_EQ(name->GetText(), "keep.png");
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().text, "FpropertyStringClass: Edit Object not assigned");

    // An integer without a control shows nothing when written.
    Dialogs::clearQueue();
    make<FpropertyIntClass>("mainwidth")->WriteToControl();
    EXPECT_TRUE(Dialogs::shown().isEmpty());
}

} // namespace
