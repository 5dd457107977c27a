#pragma once
// A field that names a character by hexadecimal digits, as the variant
// columns of the databases and the lines of UniVariants do.
#include <QByteArrayView>
#include <QStringView>

// The character named by the field's leading hexadecimal digits (either
// letter case); reading stops at the first other character. No digit gives
// U+0000; a value that is no Unicode scalar value (a surrogate, or above
// U+10FFFF however many digits) gives U+FFFD.
char32_t HexFieldCharacter(QByteArrayView field);
char32_t HexFieldCharacter(QStringView field);
