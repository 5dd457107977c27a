#include "lookup/moravel_variants.h"

#include <QFile>
#include <algorithm>
#include <cstring>

#include "framework/regular_file.h"
#include "framework/thread.h"
#include "lookup/hex_field.h"

namespace {

constexpr qsizetype kKeyBytes = 4;
constexpr qsizetype kFieldsStart = 5;  // after the key and the separator

// The whole file, or nothing when it is missing, not a regular file or
// unreadable. Read rather than mapped: a mapped file cut short by another
// program would crash the reader.
QByteArray ReadTable(const QString& path) {
  QFile file(path);
  if (!fw::OpenRegularFile(file, QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace

MoravelVariantScanner::MoravelVariantScanner(QByteArrayView table, const QString& code)
    : table_(table), key_(code.toUtf8()) {
  // A key is at most four bytes: a longer code text matches no line.
  if (key_.size() > kKeyBytes) state_ = State::Done;
}

bool MoravelVariantScanner::Step() {
  switch (state_) {
    case State::Lines:
      FindLine();
      break;
    case State::Fields:
      ReadField();
      break;
    case State::Done:
      break;
  }
  return state_ != State::Done;
}

void MoravelVariantScanner::FindLine() {
  const qsizetype size = table_.size();
  if (pos_ >= size) {
    state_ = State::Done;
    return;
  }
  const qsizetype start = pos_;
  const qsizetype end = std::min(NextOf('\n', nextLf_), NextOf('\r', nextCr_));
  pos_ = end;
  if (pos_ < size)
    pos_ += (table_[pos_] == '\r' && pos_ + 1 < size && table_[pos_ + 1] == '\n') ? 2 : 1;

  const qsizetype length = end - start;
  const qsizetype keyLength = std::min(length, kKeyBytes);
  if (keyLength != key_.size() || std::memcmp(table_.data() + start, key_.constData(), keyLength))
    return;
  if (length > kFieldsStart) {
    pos_ = start + kFieldsStart;
    fieldEnd_ = end;
    state_ = State::Fields;
  } else {
    state_ = State::Done;  // a line of five bytes or fewer lists nothing
  }
}

qsizetype MoravelVariantScanner::NextOf(char terminator, qsizetype& cached) const {
  if (cached < pos_) {
    const qsizetype found = table_.indexOf(terminator, pos_);
    cached = found < 0 ? table_.size() : found;
  }
  return cached;
}

void MoravelVariantScanner::ReadField() {
  const QByteArrayView rest = table_.sliced(pos_, fieldEnd_ - pos_);
  const qsizetype blank = rest.indexOf(' ');
  result_.append(QChar::fromUcs4(HexFieldCharacter(blank < 0 ? rest : rest.first(blank))));
  if (blank < 0) {
    state_ = State::Done;
  } else {
    pos_ += blank + 1;  // a trailing blank leaves one empty field to read
  }
}

fw::Task<QString> GetMoravelVariant(QString tablePath, QString code) {
  const QByteArray table = ReadTable(tablePath);
  MoravelVariantScanner scanner(table, code);
  while (scanner.Step()) co_await fw::Yield();
  co_return scanner.Result();
}

QString MoravelVariantsIn(QByteArrayView table, const QString& code) {
  MoravelVariantScanner scanner(table, code);
  while (scanner.Step()) {
  }
  return scanner.Result();
}
