#pragma once
// A process's memory as the kernel counts it, from /proc/self/status, in MB.
#include <QJsonObject>

struct ProcessMemory {
  double peakMb = 0;  // VmHWM: the most resident memory at any moment
  double rssMb = 0;   // VmRSS: resident now
  double anonMb = 0;  // RssAnon: private memory now resident
  double fileMb = 0;  // RssFile: pages of mapped files (libraries, fonts) now resident

  static ProcessMemory OfThisProcess();
  QJsonObject ToJson() const;
  // Zero figures when a field is missing.
  static ProcessMemory FromJson(const QJsonObject& json);
};
