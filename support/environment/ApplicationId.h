#pragma once

namespace twk::environment {

// The application's identifier: its bus name, desktop entry, notification sender and the
// name of its preference file and state folder.
inline constexpr char ApplicationId[] = "org.tarnwick.ScriptInstaller";

} // namespace twk::environment
