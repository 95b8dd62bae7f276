// The errors the toolkit raises; each carries the text the error report shows.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& Message) : std::runtime_error(Message) {}
};

// A text that cannot be read as a number.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A system resource such as a timer could not be had.
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

// A type conversion of a component that is not of the expected class.
class EInvalidCast : public Exception {
 public:
  EInvalidCast() : Exception("Invalid class typecast") {}
};
