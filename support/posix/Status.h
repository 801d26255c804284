#pragma once

// The one way the program's fallible operations fail: success, or the step that failed with
// the system's error number, the path it failed at and, for failures that are not the
// system's own, a reason in words. A Status is checked by the compiler: one dropped unread is
// a warning, and warnings are errors.

#include <QString>

#include <string>

namespace twk::posix {

enum class Step {
    Opening,   // opening a file or folder
    Reading,   // reading a file's bytes
    Writing,   // writing a file's bytes
    Locking,   // taking a lock another process may hold
    Listing,   // reading a folder's entries
    Resolving, // looking up an item by name
    Copying,   // writing a new copy beside the old one
    Flushing,  // making written bytes durable
    Replacing, // swapping a new item in
    Trashing,  // moving an item to the Trash
    Removing,  // deleting an item that is not kept
};

class [[nodiscard]] Status {
public:
    Status() = default; // success
    // A failure: error must not be 0. The reason, when given, stands for the system's text.
    Status(Step step, int error, std::string path = {}, QString reason = {})
        : step_(step), error_(error), path_(std::move(path)), reason_(std::move(reason)) {}

    bool ok() const { return error_ == 0; }
    Step step() const { return step_; }
    int error() const { return error_; }
    // The path the step failed at, as file-system bytes; may be empty.
    const std::string& path() const { return path_; }

    // The same failure as a step of the caller's, at its path (success stays success).
    Status as(Step step, std::string path) const {
        return ok() ? Status() : Status(step, error_, std::move(path), reason_);
    }

    // Why, in words: the reason given, or the system's text for the error number.
    QString reason() const;
    // One line for logs and for the user: what failed, where, and why; the reason alone when
    // there is no path.
    QString description() const;

private:
    Step step_ = Step::Opening;
    int error_ = 0;
    std::string path_;
    QString reason_;
};

// The system's text for an error number, in the user's language.
QString errorText(int error);

} // namespace twk::posix
