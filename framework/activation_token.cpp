#include "framework/activation_token.h"

#include <cstdlib>
#include <cstring>

namespace fw {
namespace {

constexpr char kVariable[] = "XDG_ACTIVATION_TOKEN";
constexpr char kEntryStart[] = "XDG_ACTIVATION_TOKEN=";

bool IsRealToken(const QString& token) {
  if (token.isEmpty() || token.size() > kMaxActivationTokenBytes) return false;
  for (const QChar c : token)
    if (c.unicode() <= u' ' || c.unicode() > u'~') return false;
  return true;
}

}  // namespace

void WithActivationToken(const QString& token, const std::function<void()>& comeForward) {
  if (!IsRealToken(token)) {
    comeForward();
    return;
  }
  // setenv keeps a copy of every value it was ever given; putenv of this one
  // buffer keeps the environment's memory the same however many tokens come.
  static char entry[sizeof kEntryStart + kMaxActivationTokenBytes];
  const QByteArray bytes = token.toLatin1();
  std::memcpy(entry, kEntryStart, sizeof kEntryStart - 1);
  std::memcpy(entry + sizeof kEntryStart - 1, bytes.constData(), bytes.size() + 1);
  putenv(entry);
  comeForward();
  unsetenv(kVariable);
}

}  // namespace fw
