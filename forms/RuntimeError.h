// Run-time errors of the forms layer: a number and a description, as the
// platform's forms runtime reports them. They are thrown to the caller; at the
// boundaries (window procedures, event sinks, automation calls) they become a
// report or an HRESULT, never a crash.
#pragma once
#include <windows.h>
#include <stdexcept>
#include <string>

namespace qel::forms {

// The numbers the layer raises.
enum ErrorNumber : long {
    kInvalidCall = 5,
    kOutOfMemory = 7,
    kTypeMismatch = 13,
    kFileNotFound = 53,
    kPathNotFound = 76,
    kObjectUnloaded = 364,
    kInvalidPropertyValue = 380,
    kInvalidArrayIndex = 381,
    kCannotCreateObject = 429,
    kNotSupported = 438,
    kInvalidPicture = 481,
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(long number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    long Number() const { return number_; }

private:
    long number_;
};

// Tells the user about an error that reached a boundary: a message box (through
// the MsgBox seam) titled with the program's title, "Run-time error 'n':" and the
// description. The program goes on.
void ReportError(const std::exception& error);
void ReportUnknownError();

// Runs `body` at a boundary: an exception it throws is reported and swallowed.
template <class Body> void Guarded(Body&& body) noexcept {
    try {
        body();
    } catch (const std::exception& e) {
        ReportError(e);
    } catch (...) {
        ReportUnknownError();
    }
}

} // namespace qel::forms
