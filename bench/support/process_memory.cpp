#include "bench/support/process_memory.h"

#include <QFile>

namespace {

// A "Name:  123 kB" line of /proc/self/status in MB; 0 when absent.
double StatusMb(const QByteArray& status, const QByteArray& name) {
  for (const QByteArray& line : status.split('\n'))
    if (line.startsWith(name + ':'))
      return line.mid(name.size() + 1).trimmed().split(' ')[0].toDouble() / 1024;
  return 0;
}

}  // namespace

ProcessMemory ProcessMemory::OfThisProcess() {
  QFile file(QStringLiteral("/proc/self/status"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray status = file.readAll();
  return {StatusMb(status, "VmHWM"), StatusMb(status, "VmRSS"), StatusMb(status, "RssAnon"),
          StatusMb(status, "RssFile")};
}

QJsonObject ProcessMemory::ToJson() const {
  return {{"peak_memory_mb", peakMb},
          {"rss_memory_mb", rssMb},
          {"anon_memory_mb", anonMb},
          {"file_memory_mb", fileMb}};
}

ProcessMemory ProcessMemory::FromJson(const QJsonObject& json) {
  return {json["peak_memory_mb"].toDouble(), json["rss_memory_mb"].toDouble(),
          json["anon_memory_mb"].toDouble(), json["file_memory_mb"].toDouble()};
}
