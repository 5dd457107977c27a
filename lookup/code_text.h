#pragma once
// The code text: the key under which every character is stored.
#include <QString>

// The upper-case hexadecimal code point of the first character of `character`
// without "U+": four digits, zero-padded, up to U+FFFF and no leading zeros
// above ("0041", "4E00", "20000", "10FFFF"). A valid surrogate pair counts as
// its supplementary character, a lone surrogate as itself. "" for "".
QString GetUnicodeCode(const QString& character);

// The first whole character of `text` (a surrogate pair kept together); "" for "".
QString FirstCharacter(const QString& text);

// `count` whole characters of `text` from the character at `position`
// (counted from 1); fewer where the text ends, "" for a position below 1 or
// past the end.
QString MidCharacters(const QString& text, int position, int count);
