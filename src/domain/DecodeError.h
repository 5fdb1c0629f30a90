#pragma once

#include <stdexcept>

namespace corvel {

/// A JSON value does not have the form of the record asked for: a required
/// key is missing or a value has the wrong type. Decoding fails as a whole.
class DecodeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

} // namespace corvel
