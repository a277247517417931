#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The six texts of one news entry, carried by value into and out of the document.
// Date is "dd mmm yyyy" (09 Dec 2026, English month abbreviations whatever the locale),
// Time is "h:nn am/pm" (3:05 pm) or empty; line breaks in Description are "\r\n".
struct FblogData {
    QString Title;
    QString Author;
    QString Link;
    QString Date;
    QString Time;
    QString Description;

    bool operator==(const FblogData&) const = default;
};

// One news entry. Its texts change only through its document, which also keeps the
// entry's date value so that ordering never has to convert the text again.
class FblogItem {
public:
    const FblogData& Data() const { return m_data; }
    const QString& Title() const { return m_data.Title; }
    const QString& Author() const { return m_data.Author; }
    const QString& Link() const { return m_data.Link; }
    const QString& Date() const { return m_data.Date; }
    const QString& Time() const { return m_data.Time; }
    const QString& Description() const { return m_data.Description; }
    // The converted Date; empty when the text does not read as a date.
    const std::optional<QDate>& DateValue() const { return m_dateValue; }

private:
    friend class FblogDocument;
    explicit FblogItem(FblogData data);
    void setData(FblogData data);

    FblogData m_data;
    std::optional<QDate> m_dateValue;
};

// The user's own news of one ticker, kept ascending by date (oldest first) and written as
// an RSS 2.0 file. The document owns every entry it creates; a deleted entry stays valid
// (but is no longer found) until the document is destroyed.
class FblogDocument {
public:
    FblogDocument();
    ~FblogDocument();
    FblogDocument(const FblogDocument&) = delete;
    FblogDocument& operator=(const FblogDocument&) = delete;

    // Resolves the five entities in every text but the link and inserts the entry before
    // the first entry whose date is not earlier; appends when any date cannot be read.
    FblogItem* AddEntry(const QString& title, const QString& link, const QString& time,
                        const QString& description, const QString& date, const QString& author);
    // An entry that is not in the list: nothing.
    void DeleteEntry(const FblogItem* entry);
    const QList<FblogItem*>& Entries() const { return m_entries; }
    bool Contains(const FblogItem* entry) const;

    // False (and data untouched) when the entry is not in the list.
    bool GetEntryData(const FblogItem* entry, FblogData& data) const;
    // Stores the texts exactly as given, without resolving entities or moving the entry.
    bool SetEntryData(FblogItem* entry, const FblogData& data);

    // The whole RSS text, newest entry first; with preview and no entries, the sample
    // entry three times.
    QString BuildRssText(bool preview) const;
    // Writes BuildRssText(PreviewFlag) as UTF-8 without a byte-order mark to folder + name,
    // atomically: on failure the previous file stays and IoError is raised.
    void WriteRssFile(const QString& folder, const QString& name) const;
    // Adds the entries of the RSS file at path (a missing file adds nothing). Raises
    // XmlError when the file is not well-formed or an item's text element holds markup;
    // the entries read before the fault stay.
    void ReadRssFile(const QString& path);

    // The image files the descriptions refer to, in order, duplicates kept. References that
    // could reach outside the output folder (URLs, absolute paths, "..") are left out.
    QStringList ListEntryImages() const;
    // Copies each listed image that the output folder lacks from sourceFolder, else from the
    // application's temp folder. Never overwrites; failures are passed over.
    void CopyEntryImages(const QString& sourceFolder, const QString& outputFolder) const;

    const FblogItem& SampleEntry() const { return *m_sample; }
    const QString& DefaultAuthor() const { return m_defaultAuthor; }
    void SetDefaultAuthor(const QString& author) { m_defaultAuthor = author; }

private:
    int insertPosition(const std::optional<QDate>& date) const;
    // Appends the RSS text to out; itemDone, when set, runs after every item.
    void appendRss(bool preview, QString& out, const std::function<void(QString&)>& itemDone) const;

    std::vector<std::unique_ptr<FblogItem>> m_owned;
    QList<FblogItem*> m_entries;
    std::unique_ptr<FblogItem> m_sample;
    QString m_defaultAuthor;
};

// --- texts of the RSS file and of the entry editor ------------------------------------
namespace blogtext {
// "&" "<" ">" "'" "\"" to their entities, ampersand first.
QString Escape(const QString& text);
// The five lower-case entities back to characters, ampersand last.
QString ResolveEntities(const QString& text);
// "09 Dec 2026" -> 9 December 2026; empty when the text does not read as a date.
std::optional<QDate> DateValue(const QString& dateText);
// 9 December 2026 -> "09 Dec 2026".
QString DateText(const QDate& date);
// 15:05 -> "3:05 pm", 0:07 -> "12:07 am".
QString TimeText(const QTime& time);
// "3:05 pm" -> 15:05; empty when the text does not read as a time of day.
std::optional<QTime> TimeValue(const QString& timeText);
// True when an image reference names a file below the output folder.
bool IsSafeImageReference(const QString& reference);
} // namespace blogtext
