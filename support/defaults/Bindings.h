#pragma once

// Binding interface objects to stored preferences. The shared controller stands for the
// standard store under the key path "values.<key>"; a binding ties a QObject property (by
// name, through its notify signal) to one key path, both ways: the property shows the stored
// value as soon as it is bound and whenever the store changes, and the store takes the
// property's value as the user edits. A binding lives as long as its object.

#include <QObject>
#include <QVariant>
#include <QVariantMap>

namespace twk::defaults {

class UserDefaults;

// Binding options.
inline constexpr char ContinuouslyUpdatesValueBindingOption[] = "NSContinuouslyUpdatesValue";
inline constexpr char ValueTransformerNameBindingOption[] = "NSValueTransformerName";
inline constexpr char NegateBooleanTransformerName[] = "NSNegateBoolean";

class UserDefaultsController : public QObject {
    Q_OBJECT
public:
    // One per process, over the standard store.
    static UserDefaultsController& sharedUserDefaultsController();

    explicit UserDefaultsController(UserDefaults& store, QObject* parent = nullptr);

    // "values.<key>": the stored value (invalid when absent), or writes it.
    QVariant valueForKeyPath(const QString& keyPath) const;
    void setValueForKeyPath(const QVariant& value, const QString& keyPath);

Q_SIGNALS:
    void valueChangedForKeyPath(const QString& keyPath);

private:
    UserDefaults& store_;
};

// Binds the object's property named binding to the controller's key path. Options:
// ContinuouslyUpdatesValueBindingOption (true: write back on every change; otherwise when
// editing finishes, where the object has an editingFinished() signal) and
// ValueTransformerNameBindingOption (NegateBooleanTransformerName: show and write back the
// negation). A name that is no readable, writable property with a notify signal binds
// nothing and is logged. "value" on an object without such a property binds its user
// property (the text of a line edit, the state of a check box). Returns whether it bound.
bool bind(QObject* object, const QString& binding, UserDefaultsController& controller,
          const QString& keyPath, const QVariantMap& options);

// Binds the property to the preference key; a name starting "not." (case-sensitive) binds
// the rest, negated. Continuously updating.
void bindObject(QObject* object, const QString& binding, const QString& toPreference);
// The same with the binding "value", never negated.
void bindObject(QObject* object, const QString& toPreference);

} // namespace twk::defaults
