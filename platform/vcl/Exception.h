#pragma once

#include <exception>
#include <string>

// The platform's error: every failure the program raises carries a message
// that tells a person what was wrong and with which value.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}

    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};
