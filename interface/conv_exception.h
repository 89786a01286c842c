// CConvException: the one failure type below the automation interface. It carries a message-table text and a
// detail (the full path of a descriptor, a tag name, a parse position); the interface turns both into error
// information.
#pragma once

#include <stdexcept>
#include <string>

class CConvException : public std::runtime_error {
 public:
  CConvException(std::string message, std::string detail = {})
      : std::runtime_error(message), message_(std::move(message)), detail_(std::move(detail)) {}

  const std::string& message() const { return message_; }
  const std::string& detail() const { return detail_; }

 private:
  std::string message_;
  std::string detail_;
};
