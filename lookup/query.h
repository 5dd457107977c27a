#pragma once
// One lookup of the first character of the search field: its code text, its
// supplementary variants, its database row, all written into the main window.
// A newer lookup supersedes an older one, which then stops writing.
#include <cstdint>

#include "framework/thread.h"

class Query : public fw::Thread {
 public:
  Query();
  // Whether a lookup started after this one.
  bool Superseded() const;
  // The message shown when the chosen database has no row.
  static const char kNotFound[];

 protected:
  fw::Task<void> Run() override;
  void UnhandledException(std::exception_ptr error) override;

 private:
  void HideSpinner();
  std::uint64_t generation_;
};
