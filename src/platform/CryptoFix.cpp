#include "platform/CryptoFix.h"

#include <QByteArray>

#include <sodium.h>

const char* const CryptoFixKey = "Qv7#mR2k!Lw9@zT4pX6$hN8^cB3&fJ5*dG1(sY0)eU-aK=oI+lM[nP]rW{tZ}q;V7";

static_assert(sizeof("Qv7#mR2k!Lw9@zT4pX6$hN8^cB3&fJ5*dG1(sY0)eU-aK=oI+lM[nP]rW{tZ}q;V7") == 66);

namespace {

bool ensureSodium()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// The key text is hashed to the secret box's key size, so any key text works.
QByteArray deriveKey(const char* key)
{
    QByteArray derived(crypto_secretbox_KEYBYTES, '\0');
    const QByteArray keyText(key ? key : "");
    crypto_generichash(reinterpret_cast<unsigned char*>(derived.data()), derived.size(),
                       reinterpret_cast<const unsigned char*>(keyText.constData()), keyText.size(), nullptr,
                       0);
    return derived;
}

QString scrambleText(const QString& text, const QByteArray& key)
{
    const QByteArray plain = text.toUtf8();
    QByteArray box(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES + plain.size(), '\0');
    auto* nonce = reinterpret_cast<unsigned char*>(box.data());
    randombytes_buf(nonce, crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(nonce + crypto_secretbox_NONCEBYTES,
                          reinterpret_cast<const unsigned char*>(plain.constData()), plain.size(), nonce,
                          reinterpret_cast<const unsigned char*>(key.constData()));
    return QString::fromLatin1(box.toBase64());
}

QString unscrambleText(const QString& text, const QByteArray& key)
{
    auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() < int(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES))
        return {};
    const QByteArray& box = decoded.decoded;
    const auto* nonce = reinterpret_cast<const unsigned char*>(box.constData());
    const qsizetype cipherSize = box.size() - crypto_secretbox_NONCEBYTES;
    QByteArray plain(cipherSize - crypto_secretbox_MACBYTES, '\0');
    if (crypto_secretbox_open_easy(reinterpret_cast<unsigned char*>(plain.data()),
                                   nonce + crypto_secretbox_NONCEBYTES, cipherSize, nonce,
                                   reinterpret_cast<const unsigned char*>(key.constData())) != 0)
        return {};
    return QString::fromUtf8(plain);
}

} // namespace

QString CryptoFix(const QString& text, const char* key, bool scramble)
{
    if (text.isEmpty() || !ensureSodium())
        return {};
    const QByteArray derived = deriveKey(key);
    return scramble ? scrambleText(text, derived) : unscrambleText(text, derived);
}
