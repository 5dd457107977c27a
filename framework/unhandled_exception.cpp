#include "framework/unhandled_exception.h"

#include <cxxabi.h>

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "framework/message_box.h"

namespace fw {
namespace {

// The class name as the user knows it: demangled, without namespaces.
QString ClassName(const std::type_info* type) {
  if (!type) return QStringLiteral("unknown");
  int status = 0;
  const std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), &std::free);
  QString name = QString::fromUtf8(status == 0 && demangled ? demangled.get() : type->name());
  const qsizetype colons = name.lastIndexOf(QStringLiteral("::"));
  if (colons >= 0 && !name.contains(u'<')) name = name.mid(colons + 2);
  return name;
}

}  // namespace

void ReportUnhandledException(std::exception_ptr error) {
  if (!error) return;
  QString name;
  QString what;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    name = ClassName(&typeid(e));
    what = QString::fromUtf8(e.what());
  } catch (...) {
    name = ClassName(abi::__cxa_current_exception_type());
  }
  QString text = QStringLiteral("An exception of class %1 was not handled.").arg(name);
  if (!what.isEmpty()) text += u' ' + what;
  QString line = text;
  line.replace(u'\n', u' ').replace(u'\r', u' ');
  std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
  MsgBox(text);
}

}  // namespace fw
