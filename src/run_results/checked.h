#pragma once
// A value or the message that says why there is none: the errors of reading
// and showing results are values, worded where they arise and reported at the
// edge of the program.
#include <string>
#include <utility>
#include <variant>

namespace korva {

struct Failure {
  std::string message;  // Windows-1252
};

template <typename T>
class Checked {
 public:
  Checked(T value) : state_(std::move(value)) {}         // NOLINT: implicit on purpose
  Checked(Failure failure) : state_(std::move(failure)) {}  // NOLINT
  bool ok() const { return std::holds_alternative<T>(state_); }
  explicit operator bool() const { return ok(); }
  // Preconditions: ok() for value(), !ok() for message().
  T& value() { return std::get<T>(state_); }
  const T& value() const { return std::get<T>(state_); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  const std::string& message() const { return std::get<Failure>(state_).message; }

 private:
  std::variant<T, Failure> state_;
};

}  // namespace korva
