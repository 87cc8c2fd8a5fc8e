#pragma once

#include <stdexcept>
#include <string>

// An error that ends the running handler and is shown in the general error box. The text is UTF-8.
class DialtopError : public std::runtime_error {
public:
    explicit DialtopError(const std::string& text) : std::runtime_error(text) {}
};

// The general error box's text: a full stop is added when the last character sorts after ".".
std::string ErrorBoxText(const std::string& message);
