#include "support/defaults/Bindings.h"

#include "support/defaults/UserDefaults.h"
#include "support/log/SystemLog.h"
#include "support/strings/Transforms.h"

#include <QMetaProperty>
#include <QPointer>

namespace twk::defaults {
namespace {

constexpr QLatin1StringView ValuesPrefix("values.");

// Ties one property of one object to one key path; a child of the object, so it goes
// when the object goes.
class Binding : public QObject {
    Q_OBJECT
public:
    Binding(QObject* object, const QMetaProperty& property, UserDefaultsController& controller,
            const QString& keyPath, bool negate)
        : QObject(object), object_(object), property_(property), controller_(&controller),
          keyPath_(keyPath), negate_(negate) {
        setObjectName(QStringLiteral("twk-binding-") + QLatin1String(property.name()));
        connect(&controller, &UserDefaultsController::valueChangedForKeyPath, this,
                [this](const QString& path) {
                    if (path == keyPath_)
                        showStoredValue();
                });
    }

    void showStoredValue() {
        if (!controller_ || writing_)
            return;
        QVariant value = controller_->valueForKeyPath(keyPath_);
        if (negate_)
            value = QVariant(!value.toBool());
        else if (!value.isValid())
            value = QVariant(property_.metaType());
        else if (value.metaType() != property_.metaType() && value.canConvert(property_.metaType()))
            value.convert(property_.metaType());
        showing_ = true;
        property_.write(object_, value);
        showing_ = false;
    }

public Q_SLOTS:
    void storePropertyValue() {
        if (!controller_ || showing_)
            return;
        QVariant value = property_.read(object_);
        if (negate_)
            value = QVariant(!value.toBool());
        writing_ = true;
        controller_->setValueForKeyPath(value, keyPath_);
        writing_ = false;
    }

private:
    QObject* object_;
    QMetaProperty property_;
    QPointer<UserDefaultsController> controller_;
    QString keyPath_;
    bool negate_;
    bool showing_ = false;
    bool writing_ = false;
};

std::optional<QMetaProperty> bindableProperty(const QObject* object, const QString& name) {
    const QMetaObject* meta = object->metaObject();
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    QMetaProperty property;
    if (index >= 0)
        property = meta->property(index);
    else if (name == u"value")
        property = meta->userProperty();
    if (!property.isValid() || !property.isReadable() || !property.isWritable() ||
        !property.hasNotifySignal())
        return std::nullopt;
    return property;
}

} // namespace

UserDefaultsController& UserDefaultsController::sharedUserDefaultsController() {
    static auto* shared = new UserDefaultsController(UserDefaults::standardUserDefaults());
    return *shared;
}

UserDefaultsController::UserDefaultsController(UserDefaults& store, QObject* parent)
    : QObject(parent), store_(store) {
    connect(&store, &UserDefaults::valueChanged, this,
            [this](const QString& key) { Q_EMIT valueChangedForKeyPath(ValuesPrefix + key); });
}

QVariant UserDefaultsController::valueForKeyPath(const QString& keyPath) const {
    if (!keyPath.startsWith(ValuesPrefix))
        return {};
    return store_.objectForKey(keyPath.mid(ValuesPrefix.size())).value_or(QVariant());
}

void UserDefaultsController::setValueForKeyPath(const QVariant& value, const QString& keyPath) {
    if (keyPath.startsWith(ValuesPrefix))
        store_.setObject(value, keyPath.mid(ValuesPrefix.size()));
}

bool bind(QObject* object, const QString& binding, UserDefaultsController& controller,
          const QString& keyPath, const QVariantMap& options) {
    const auto property = object ? bindableProperty(object, binding) : std::nullopt;
    if (!property) {
        log::systemLog(QStringLiteral("cannot bind \"%1\" of %2 to %3: no such bindable property")
                           .arg(binding,
                                object ? QLatin1String(object->metaObject()->className())
                                       : QLatin1String("no object"),
                                keyPath));
        return false;
    }
    // Binding a property again replaces its earlier binding.
    delete object->findChild<Binding*>(QStringLiteral("twk-binding-") +
                                           QLatin1String(property->name()),
                                       Qt::FindDirectChildrenOnly);
    const bool negate =
        options.value(QLatin1String(ValueTransformerNameBindingOption)).toString() ==
        QLatin1String(NegateBooleanTransformerName);
    auto* link = new Binding(object, *property, controller, keyPath, negate);
    const bool continuous =
        options.value(QLatin1String(ContinuouslyUpdatesValueBindingOption)).toBool();
    const QMetaObject* meta = object->metaObject();
    const int editingFinished = meta->indexOfSignal("editingFinished()");
    const QMetaMethod writeBack =
        link->metaObject()->method(link->metaObject()->indexOfSlot("storePropertyValue()"));
    const QMetaMethod trigger = (!continuous && editingFinished >= 0)
                                    ? meta->method(editingFinished)
                                    : property->notifySignal();
    QObject::connect(object, trigger, link, writeBack);
    link->showStoredValue();
    return true;
}

void bindObject(QObject* object, const QString& binding, const QString& toPreference) {
    QVariantMap options{{QLatin1String(ContinuouslyUpdatesValueBindingOption), true}};
    QString name = binding;
    if (binding.startsWith(QStringLiteral("not."), Qt::CaseSensitive)) {
        name = strings::stringByRemovingPrefix(binding, u"not.");
        options.insert(QLatin1String(ValueTransformerNameBindingOption),
                       QLatin1String(NegateBooleanTransformerName));
    }
    bind(object, name, UserDefaultsController::sharedUserDefaultsController(),
         ValuesPrefix + toPreference, options);
}

void bindObject(QObject* object, const QString& toPreference) {
    bindObject(object, QStringLiteral("value"), toPreference);
}

} // namespace twk::defaults

#include "Bindings.moc"
