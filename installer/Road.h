#pragma once

// One road through the controller: a request from Tarnwick, a bulk install, a removal... The
// dispatcher (UIManager) starts one road at a time, in the order they came; a road ends with
// finish() once its sheets were answered, and tells what it did through its signals. File
// work runs on the dispatcher's threads, so the window and the bus always answer. A road
// never calls the dispatcher.

#include "platform/Background.h"
#include "platform/Sheet.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QWidget>

#include <memory>

namespace twk::installer {

class Road : public QObject {
    Q_OBJECT
public:
    // What a road works with: the window its sheets sit on and the threads for file work.
    struct Outlets {
        QPointer<QWidget> window;
        QThreadPool* pool = nullptr;
    };

    void start(const Outlets& outlets);

Q_SIGNALS:
    // The road has ended: nothing of it waits any more.
    void finished();
    // These scripts were installed or removed.
    void scriptsChanged(const QList<QByteArray>& names);
    // A line for the window's status bar.
    void statusMessage(const QString& text);

protected:
    virtual void run() = 0;
    void finish() { Q_EMIT finished(); }

    QWidget* window() const { return outlets_.window; }
    // Whether the window is on screen: sheets can be seen there.
    bool windowShown() const;
    // Runs work on a file thread, then `then` with its result here, if the road still lives.
    template <typename Work, typename Then> void inBackground(Work work, Then then) {
        platform::inBackground(*outlets_.pool, this, std::move(work), std::move(then));
    }
    // Shows the alert as a sheet on the window, in its turn.
    void showSheet(std::unique_ptr<alert::Alert> alert, platform::SheetCompletion completion = {});
    // A sheet with one "OK" button that ends the road once answered.
    void showSheetThenFinish(std::unique_ptr<alert::Alert> alert);

private:
    Outlets outlets_;
};

} // namespace twk::installer
