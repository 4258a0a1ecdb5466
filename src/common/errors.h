#pragma once

#include <stdexcept>
#include <string>

namespace kelvra {

// Every error the program reports to the user through the event dispatch derives from Error;
// what() is the message shown, already in its final form.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A text that does not convert: "'%s' is not a valid floating point value" and the like.
class ConversionError : public Error {
 public:
  using Error::Error;
};

// "Floating point division by zero" and the integer counterpart.
class DivisionByZeroError : public Error {
 public:
  DivisionByZeroError() : Error("Floating point division by zero") {}
  explicit DivisionByZeroError(const std::string& message) : Error(message) {}
};

// A file that cannot be opened, read or written ("Unable to write to %s").
class FileError : public Error {
 public:
  using Error::Error;
};

}  // namespace kelvra
