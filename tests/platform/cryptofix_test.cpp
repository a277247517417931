#include "platform/CryptoFix.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CryptoFix, RoundTripsAndNeverStoresThePlainText)
{
    EXPECT_EQ(std::strlen(CryptoFixKey), 65u);
    for (const QString& password : {QString("secret"), QString("pässwörd with spaces"), QString(200, 'x')}) {
        const QString stored = CryptoFix(password, CryptoFixKey, true);
        EXPECT_FALSE(stored.contains(password));
        EXPECT_EQ(CryptoFix(stored, CryptoFixKey, false), password);
        // A fresh nonce each time: the same password never looks the same twice.
        EXPECT_NE(CryptoFix(password, CryptoFixKey, true), stored);
    }
    EXPECT_EQ(CryptoFix("", CryptoFixKey, true), "");
    EXPECT_EQ(CryptoFix("", CryptoFixKey, false), "");
}

TEST(CryptoFix, TextsThatDoNotUnscrambleGiveTheEmptyText)
{
    const QString stored = CryptoFix("secret", CryptoFixKey, true);
    QString tampered = stored;
    tampered[10] = tampered[10] == 'A' ? 'B' : 'A';
    const QString cases[] = {tampered, stored.left(20), "not base64 !!", "c2VjcmV0", "plain password"};
    for (const QString& text : cases)
        EXPECT_EQ(CryptoFix(text, CryptoFixKey, false), "") << text.toStdString();
    EXPECT_EQ(CryptoFix(stored, "another key", false), "");
}
