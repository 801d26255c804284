#pragma once

// Says what came of the user's actions in words a screen reader speaks: a line in the status
// bar that is, to assistive technology, a notification shown afresh for every outcome (Qt 6.4
// cannot send a screen reader an announcement of its own). The line goes away after a while.

#include <QLabel>
#include <QStringList>
#include <QTimer>

namespace twk::app {

class Announcer : public QLabel {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent = nullptr);

    // Outcomes said in one turn of the event loop are said together, once.
    void announce(const QString& text);

private:
    void speak();

    QStringList pending_;
    QTimer expiry_;
};

} // namespace twk::app
