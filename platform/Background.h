#pragma once

// Work off the window's thread: work() runs on a pool's thread, then then(result) runs on the
// thread of context, through its event loop. If context is gone by then, then() never runs.

#include <QMetaObject>
#include <QPointer>
#include <QThreadPool>

namespace twk::platform {

template <typename Work, typename Then>
void inBackground(QThreadPool& pool, QObject* context, Work work, Then then) {
    const QPointer<QObject> receiver(context);
    pool.start([receiver, work = std::move(work), then = std::move(then)]() mutable {
        auto result = work();
        QMetaObject::invokeMethod(
            receiver.data(),
            [then = std::move(then), result = std::move(result)]() mutable {
                then(std::move(result));
            },
            Qt::QueuedConnection);
    });
}

} // namespace twk::platform
