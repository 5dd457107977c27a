#pragma once
// The variant columns of the character databases: items separated by single
// blanks, each "U+" and a code point, perhaps followed by a tail such as
// "<kMatthews" that is not read.
#include <QString>
#include <QStringList>

// The items of a column value; an empty value has none.
QStringList VariantItems(const QString& value);
// The character an item names: the first "U+" is dropped, then the rest is
// read as a hexadecimal field (lookup/hex_field.h).
QString VariantItemCharacter(const QString& item);
