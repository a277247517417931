#pragma once

#include <QString>

// The fixed key the program scrambles every stored password with (65 printable characters).
extern const char* const CryptoFixKey;

// Scrambles (scramble true) a password before it is stored, or unscrambles (false) a stored
// text after it is read. Unscrambling gives back exactly the text that was scrambled; an
// empty text gives an empty text. A stored text that does not unscramble with this key
// (tampered, truncated, or written by another scrambler) gives the empty text.
QString CryptoFix(const QString& text, const char* key, bool scramble);
