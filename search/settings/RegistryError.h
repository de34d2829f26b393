#pragma once
// The error raised when a setting cannot be written; the application's general error display
// shows its message.

#include <stdexcept>
#include <string>

class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;

  // "Failed to set data for 'Name'".
  static ERegistryException FailedToSet(const std::string& valueName) {
    return ERegistryException("Failed to set data for '" + valueName + "'");
  }
};
