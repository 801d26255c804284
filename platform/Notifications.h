#pragma once

// Telling the user of something that happened outside the window, through the desktop's
// notification service (org.freedesktop.Notifications on the session bus). Returns at
// once; without a service nothing happens. The body is text: where the service would draw
// markup, it is escaped first.

#include <QString>

namespace twk::platform {

void notify(const QString& summary, const QString& body);

// Notifications sent and not yet answered by the service. A process about to end runs its
// main context until this is zero, or the last one would be lost on the way.
int notificationsInFlight();

} // namespace twk::platform
