#pragma once

// Telling the user of something that happened outside the window, through the desktop's
// notification service (org.freedesktop.Notifications on the session bus). Returns at
// once; without a service nothing happens. The body is text: where the service would draw
// markup, it is escaped first.

#include <QString>

namespace twk::platform {

void notify(const QString& summary, const QString& body);

} // namespace twk::platform
