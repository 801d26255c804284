#pragma once

// The result of every file operation of the installer: success, or the step that failed
// with the system's error number and the path it failed at. Checked by the compiler: a
// Status that is dropped unread is a warning, and warnings are errors.

#include <QString>

#include <string>

namespace twk::installer {

enum class Step {
    Listing,                 // reading a folder's entries
    Resolving,               // looking up a script by name
    Copying,                 // writing the new copy beside the old one
    Flushing,                // making the new copy durable
    Replacing,               // swapping the new copy in
    Trashing,                // moving a copy to the Trash
    Removing,                // deleting a copy that is not kept
    DestinationInsideSource, // the user scripts folder lies inside the script
    SourceInsideDestination, // the script lies inside the copy it would replace
};

class [[nodiscard]] Status {
public:
    Status() = default; // success
    Status(Step step, int error, std::string path = {})
        : step_(step), error_(error), path_(std::move(path)) {}

    bool ok() const { return error_ == 0; }
    Step step() const { return step_; }
    int error() const { return error_; }
    // The path the step failed at, as file-system bytes; may be empty.
    const std::string& path() const { return path_; }

    // One line for logs and for the user: what failed, where, and the system's reason.
    QString description() const;

private:
    Step step_ = Step::Copying;
    int error_ = 0;
    std::string path_;
};

} // namespace twk::installer
