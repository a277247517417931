#pragma once

#include "sources/core/FRSSsiteData.h"

#include <QString>

#include <vector>

class XmlDocument;

// The feeds of an OPML file that can become the user's own: the outlines directly under
// "body" and their direct children (deeper ones are not visited), in document order, each
// with both a title and a feed address. Element names compare without regard to letter
// case, attribute names exactly; values are taken as the parser gives them. Raises XmlError
// for a file that is not well-formed, IoError for one that cannot be read.
std::vector<FRSSsiteData> ReadOpmlFeeds(const QString& path);
std::vector<FRSSsiteData> ReadOpmlFeeds(const XmlDocument& document);

// The name under which a chosen OPML file is kept in folder: its base name (up to the first
// ".") and its extension (from the last "." on), made unique with "(2)", "(3)", ...
QString OpmlCopyName(const QString& chosenPath, const QString& folder);
// Copies the chosen file there under that name; the copy's path, or empty when it failed.
QString CopyOpmlFile(const QString& chosenPath, const QString& folder);
