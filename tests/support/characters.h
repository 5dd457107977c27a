#pragma once
// Texts named by code point, for cases about particular characters and about
// characters that take two UTF-16 units.
#include <QString>
#include <initializer_list>

// The characters with these code points, in order.
QString Chars(std::initializer_list<char32_t> codes);

// `length` UTF-16 units of Han characters from the Basic Multilingual Plane,
// U+4E00 onwards and round again: long texts that are still real characters.
QString HanText(qsizetype length);

// U+20000, the first character of Extension B, one character in two UTF-16 units.
inline const QString kSupplementary = QString::fromUcs4(U"\U00020000");
