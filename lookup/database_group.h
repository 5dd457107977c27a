#pragma once
// Which of the five character databases holds a code text.
#include <QString>

enum class DatabaseGroup { None, Hanzidata, Hanzidata2, Hanzidata3, Hanzidata4, Hanzidata5 };

// By the code text's length and first digit: 3xxx–4xxx, 5xxx–6xxx, 7xxx–8xxx,
// 9xxx and Fxxx, then every five-digit code. None for anything else.
DatabaseGroup DatabaseGroupOf(const QString& code);
