#include "sources/core/Catalogue.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QUrl>

namespace {

bool IsWebAddress(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty() && (url.scheme() == "http" || url.scheme() == "https");
}

} // namespace

// The catalogue that ships in the program folder.
TEST(ShippedCatalogue, HoldsCompleteFeedsInNamedGroups)
{
    const std::vector<FRSSsiteData> rows =
        ReadCatalogueFile(testsupport::sourceDir() + "/data/program/" + catalogue::FileName);
    int groups = 0;
    QSet<QString> addresses;
    for (const FRSSsiteData& row : rows) {
        if (row.isGroup) {
            ++groups;
            EXPECT_FALSE(row.title.isEmpty());
            continue;
        }
        EXPECT_FALSE(row.custom) << row.title.toStdString();
        EXPECT_FALSE(row.title.isEmpty());
        EXPECT_FALSE(row.description.isEmpty()) << row.title.toStdString();
        EXPECT_TRUE(IsWebAddress(row.xmlUrl)) << row.xmlUrl.toStdString();
        EXPECT_TRUE(IsWebAddress(row.htmlUrl)) << row.htmlUrl.toStdString();
        // A second line with the same address could never show a tick.
        EXPECT_FALSE(addresses.contains(row.xmlUrl.toLower())) << row.xmlUrl.toStdString();
        addresses.insert(row.xmlUrl.toLower());
    }
    EXPECT_GE(groups, 8);
    EXPECT_GE(addresses.size(), 80);
    ASSERT_FALSE(rows.empty());
    EXPECT_TRUE(rows.front().isGroup);
}
