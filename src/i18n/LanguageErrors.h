#pragma once
#include <stdexcept>
#include <string>

// Selecting a language whose name the language list does not hold.
class ELanguageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A language file that cannot be opened; the message names the file.
class ELanguageFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
