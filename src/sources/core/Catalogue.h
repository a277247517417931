#pragma once

#include "sources/core/FRSSsiteData.h"

#include <QByteArray>
#include <QString>

#include <vector>

class XmlDocument;

namespace catalogue {
inline const char* const FileName = "newssources.xml";
inline const char* const CustomFileName = "my custom news sources.xml";
inline const char* const CustomGroupName = "Custom News Sources";
} // namespace catalogue

// The escaping table of the catalogue writer, and the extra entity resolving its reader does
// after the parser (so "&amp;amp;" in a file reads as a bare ampersand).
QString EscapeCatalogueText(const QString& text);
QString ResolveCatalogueEntities(const QString& text);

// The groups and feeds of one catalogue, group header first, in document order. A missing
// file gives no rows; a file that is not well-formed raises XmlError and gives nothing.
std::vector<FRSSsiteData> ReadCatalogueFile(const QString& path);
std::vector<FRSSsiteData> ReadCatalogue(const XmlDocument& document);

// True for a well-formed catalogue with at least one channel: what a download must be before
// it may replace the shipped catalogue.
bool IsUsableCatalogue(const QByteArray& bytes);

// The custom catalogue file's bytes: the custom feed rows in the given order; group rows and
// rows of the shipped catalogue are left out.
QByteArray CustomCatalogueBytes(const std::vector<const FRSSsiteData*>& rows);

// Title order of the user's feeds: byte by byte over the UTF-8 text with only the letters
// a to z folded to upper case. Negative, zero or positive like strcmp.
int CompareTitles(const QString& a, const QString& b);
