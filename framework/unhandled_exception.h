#pragma once
// What happens to an exception nobody caught.
#include <exception>
#include <stdexcept>

namespace fw {

// Tells the user: a message box "An exception of class <name> was not handled.
// <what()>" and the same on one stderr line. Returns; the program goes on.
void ReportUnhandledException(std::exception_ptr error);

// Raised by a member access through a missing object.
class NilObjectException : public std::runtime_error {
 public:
  using runtime_error::runtime_error;
};

}  // namespace fw
