#include "app/Announcer.h"

#include <QAccessibleWidget>

namespace twk::app {
namespace {

constexpr int ShownMilliseconds = 10000;

// A notification whose name is the line it shows.
class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return static_cast<const Announcer*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* announcerFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(Announcer::staticMetaObject.className()))
        return new AnnouncerAccessible(static_cast<Announcer*>(object));
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QLabel(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(announcerFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("announcer"));
    setTextFormat(Qt::PlainText); // outcomes name scripts, which are never markup
    setVisible(false);
    expiry_.setSingleShot(true);
    expiry_.setInterval(ShownMilliseconds);
    connect(&expiry_, &QTimer::timeout, this, &QWidget::hide);
}

void Announcer::announce(const QString& text) {
    if (pending_.isEmpty())
        QMetaObject::invokeMethod(this, &Announcer::speak, Qt::QueuedConnection);
    pending_.append(text);
}

void Announcer::speak() {
    // Hidden first: a screen reader speaks a notification as it is shown, even with the same
    // words as the last one.
    setVisible(false);
    setText(pending_.join(u' '));
    pending_.clear();
    setVisible(true);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    expiry_.start();
}

} // namespace twk::app
