#pragma once

#include "ticker/ColorPicker.h"
#include "ticker/TickerHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMap>
#include <QSlider>
#include <QSpinBox>
#include <QWidget>

// A Designer stand-in: real controls for the bound settings and a record of what the ticker
// asked of the windows around it.
class FakeHost : public TickerHost {
public:
    FakeHost()
    {
        width = addSpin("mainwidth", 0, 1000);
        height = addSpin("mainheight", 0, 5000);
        transparency = addSpin("entrybkalpha", 0, 100);
        controls.insert("entrybkgdtclr1a", transparency);
        controls.insert("entrybkgdtclr2a", transparency);
        speed = new QSlider(Qt::Horizontal, &panel);
        speed->setRange(10, 100);
        controls.insert("scrollspeed", speed);
        pause = new QSlider(Qt::Horizontal, &panel);
        pause->setRange(0, 300);
        controls.insert("scrollpause", pause);
        border = new QCheckBox(&panel);
        controls.insert("entrydrawborder", border);
        headlines = new QCheckBox(&panel);
        controls.insert("entryonlyshowheadline", headlines);
        transition = new ColorPicker(&panel);
        controls.insert("bkcolor", transition);
        player = new QComboBox(&panel);
        player->addItems({"Flash", "HTML5"});
        controls.insert("player", player);
    }

    QWidget* designerControl(const QString& name) override { return controls.value(name); }
    void setEntryStyleChoice(int index) override { styleChoice = index; }
    void showTickedFeeds(const QStringList& urls) override { ticked = urls; }
    void clearNewsHistory() override { historyRows.clear(); }
    void addNewsHistoryRow(const QString& title, const QString& dateTime, const QString&, const QString& text,
                           FblogItem*) override
    {
        historyRows.append(title + "|" + dateTime + "|" + text);
    }
    void setFontPanelVisible(bool visible) override { fontPanelVisible = visible; }
    void fillFontPanel(int index) override { filledFont = index; }
    void reportProblem(const QString& message) override { problems.append(message); }

    QWidget panel;
    QMap<QString, QWidget*> controls;
    QSpinBox* width;
    QSpinBox* height;
    QSpinBox* transparency;
    QSlider* speed;
    QSlider* pause;
    QCheckBox* border;
    QCheckBox* headlines;
    ColorPicker* transition;
    QComboBox* player;

    int styleChoice = -1;
    QStringList ticked;
    QStringList historyRows;
    bool fontPanelVisible = false;
    int filledFont = -1;
    QStringList problems;

private:
    QSpinBox* addSpin(const QString& name, int min, int max)
    {
        auto* spin = new QSpinBox(&panel);
        spin->setRange(min, max);
        controls.insert(name, spin);
        return spin;
    }
};
