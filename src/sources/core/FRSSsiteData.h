#pragma once

#include <QString>

// One line of the feed list: a feed, or the header of a group of feeds. The text fields are
// named after the catalogue attributes they come from.
struct FRSSsiteData {
    QString title; // a feed's title, or a group's name
    QString text;
    QString type;
    QString version;
    QString xmlUrl; // the address that goes into the ticker
    QString htmlUrl;
    QString description;
    bool custom = false; // the user's own feed: editable, and stored in the custom catalogue
    bool isGroup = false;
};
