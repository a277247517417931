#pragma once

#include "platform/Errors.h"

#include <QString>
#include <QtGlobal>

class QColor;
class XmlNode;

// A window-system colour: 0x00BBGGRR (red in the lowest byte). A negative value names a
// system colour (0x80000000 | index, index as the toolkit numbers them, for example
// clBtnFace = 0x8000000F) that is resolved through the application palette before use.
using TColor = qint32;

namespace colors {
constexpr TColor White = 0x00FFFFFF;
constexpr TColor Black = 0x00000000;
constexpr TColor Blue = 0x00FF0000;
constexpr TColor Navy = 0x00800000;
constexpr TColor Gray = 0x00808080;
constexpr TColor Silver = 0x00C0C0C0;
constexpr TColor Red = 0x000000FF;
constexpr TColor BtnFace = qint32(0x8000000F);
} // namespace colors

// --- folders and file names -------------------------------------------------------------
// Folder paths end in the platform's separator ("/" here).
QString ExeFolder();
QString WithTrailingBackslash(const QString& path);
// Creates the folder when missing (one level); raises IoError naming the folder and the
// system's reason when that fails. With clear, deletes the files directly inside it.
QString EnsureFolder(const QString& path, bool clear);
// Deletes the files directly in folder that match the wildcard pattern ("*.*" is all);
// never enters sub-folders and ignores failures.
void DeleteFilesIn(const QString& folder, const QString& pattern);
QString MyDocumentsFolder();
// The file-name part (after the last "/", "\" or ":") up to its first ".".
QString FileBaseName(const QString& path);
QString UniqueFileName(const QString& a, const QString& b, const QString& c);
// Hands a file, folder or URL to the desktop's default handler; reports nothing.
void OpenWithShell(const QString& target);

// --- colours ----------------------------------------------------------------------------
// Resolves a system colour to its current 0x00BBGGRR value; other colours unchanged.
TColor ResolveColor(TColor color);
QString ColorToText(TColor color);       // "0xRRGGBB"
QString ColorToHex(TColor color);        // "RRGGBB"
TColor TextToColor(const QString& text); // raises ConvertError / RangeError
TColor HexToColor(const QString& text);  // raises ConvertError / RangeError
QString RemoveChar(const QString& text, QChar c);
// Conversions to and from Qt's colour type.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

// --- XML attributes ---------------------------------------------------------------------
QString ReadAttrText(const XmlNode& element, const QString& name);
int ReadAttrInt(const XmlNode& element, const QString& name, int defaultValue);

// --- text -------------------------------------------------------------------------------
QString ReplaceAll(const QString& text, const QString& oldText, const QString& newText);
QString ReplaceAllIgnoreCase(const QString& text, const QString& oldText, const QString& newText);
// Texts are Unicode in memory, so this counts characters (UTF-16 units), 1-based index.
QString WideCopy(const QString& text, int index, int count);
