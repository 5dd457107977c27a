#pragma once
// The supplementary variant table "UniVariants": a text file beside the
// program, one line per character. Bytes 1-4 of a line are its key (a
// four-digit code text), byte 5 a separator that is never read, and from byte
// 6 on the variants as blank-separated hexadecimal code points.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "framework/task.h"

// Scans a table for one code text, a line or a variant per Step(), so that a
// coroutine can yield between steps and a plain loop can run it to the end.
//
// Rules: lines end at CR, LF or CR LF; nothing follows a final terminator. A
// line's key is its first four bytes (the whole line when shorter), compared
// exactly with the code text; the first matching line ends the scan. Each
// field is read as its leading hex digits: none (an empty field too) gives
// U+0000, a value that is no Unicode scalar value gives U+FFFD. A matching line
// of five bytes or fewer has no fields and adds nothing.
class MoravelVariantScanner {
 public:
  // `table` must outlive the scanner.
  MoravelVariantScanner(QByteArrayView table, const QString& code);

  // Does one step; false once the scan is over.
  bool Step();
  // The variants found so far, one after another.
  const QString& Result() const { return result_; }

 private:
  void FindLine();
  void ReadField();
  // The next `terminator` at or after pos_ (the table's size when none). Each
  // kind is searched for once per occurrence, so a scan reads every byte once.
  qsizetype NextOf(char terminator, qsizetype& cached) const;

  QByteArrayView table_;
  QByteArray key_;
  qsizetype pos_ = 0;       // next unread byte
  qsizetype fieldEnd_ = 0;  // end of the matching line's fields
  qsizetype nextLf_ = -1;
  qsizetype nextCr_ = -1;
  enum class State { Lines, Fields, Done } state_ = State::Lines;
  QString result_;
};

// The variants of `code` listed in the table file at `tablePath`; "" when the
// table is missing, unreadable or has no line for `code`. Reads the file afresh
// and yields to the event loop between lines and variants.
fw::Task<QString> GetMoravelVariant(QString tablePath, QString code);

// The same for a table already in memory, without yielding.
QString MoravelVariantsIn(QByteArrayView table, const QString& code);
