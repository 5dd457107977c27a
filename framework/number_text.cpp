#include "framework/number_text.h"

#include <cmath>
#include <limits>

namespace fw {
namespace {

double Digits(QStringView text, int base) {
  double value = 0;
  for (QChar c : text) {
    const int digit = c.isDigit() ? c.digitValue()
                      : (base == 16 && c.toLower() >= 'a' && c.toLower() <= 'f')
                          ? c.toLower().unicode() - 'a' + 10
                          : -1;
    if (digit < 0 || digit >= base) break;
    value = value * base + digit;
  }
  return value;
}

}  // namespace

double Val(const QString& text) {
  QStringView rest = QStringView(text).trimmed();
  if (rest.startsWith(QLatin1String("&h"), Qt::CaseInsensitive)) return Digits(rest.mid(2), 16);
  if (rest.startsWith(QLatin1String("&b"), Qt::CaseInsensitive)) return Digits(rest.mid(2), 2);
  // The longest prefix that reads as a decimal number.
  qsizetype end = 0;
  auto at = [&](qsizetype i) { return i < rest.size() ? rest[i] : QChar(); };
  if (at(end) == '+' || at(end) == '-') ++end;
  const qsizetype digitsStart = end;
  while (at(end).isDigit() && at(end).unicode() < 128) ++end;
  if (at(end) == '.') {
    ++end;
    while (at(end).isDigit() && at(end).unicode() < 128) ++end;
  }
  if (end == digitsStart || (end == digitsStart + 1 && at(digitsStart) == '.')) return 0;
  if (at(end) == 'e' || at(end) == 'E') {
    qsizetype exp = end + 1;
    if (at(exp) == '+' || at(exp) == '-') ++exp;
    if (at(exp).isDigit() && at(exp).unicode() < 128) {
      while (at(exp).isDigit() && at(exp).unicode() < 128) ++exp;
      end = exp;
    }
  }
  bool ok = false;
  const double value = rest.left(end).toString().toDouble(&ok);
  return ok ? value : 0;
}

std::optional<int> ToInt32(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double whole = std::trunc(value);
  if (whole < std::numeric_limits<int>::min() || whole > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(whole);
}

}  // namespace fw
