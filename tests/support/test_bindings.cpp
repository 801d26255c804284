// Preference bindings with real widgets: check boxes bound plainly and negated to one key,
// a line edit by the short form, names with and without "not.", and destroyed widgets.

#include "support/defaults/Bindings.h"
#include "support/defaults/Shortcuts.h"
#include "support/defaults/UserDefaults.h"
#include "tests/common/LogCapture.h"
#include "tests/common/TestSandbox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

using namespace twk;
using namespace twk::defaults;

class Toggle : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool x READ x WRITE setX NOTIFY xChanged)
    Q_PROPERTY(bool notx READ notx WRITE setNotx NOTIFY notxChanged)
    Q_PROPERTY(bool readOnly READ x NOTIFY xChanged)
public:
    bool x() const { return x_; }
    void setX(bool v) {
        if (v != x_) {
            x_ = v;
            Q_EMIT xChanged();
        }
    }
    bool notx() const { return notx_; }
    void setNotx(bool v) {
        if (v != notx_) {
            notx_ = v;
            Q_EMIT notxChanged();
        }
    }
Q_SIGNALS:
    void xChanged();
    void notxChanged();

private:
    bool x_ = false;
    bool notx_ = false;
};

class TestBindings : public QObject {
    Q_OBJECT
    QString file_;

    bool storedFlag() { return UserDefaults(file_).boolForKey(QStringLiteral("Flag")); }

private Q_SLOTS:
    void initTestCase() { file_ = UserDefaults::standardFilePath(); }
    void init() { resetAllValues(); }

    void checkBoxesPlainAndNegated() {
        QCheckBox plain, negated;
        bindObject(&plain, QStringLiteral("checked"), QStringLiteral("Flag"));
        bindObject(&negated, QStringLiteral("not.checked"), QStringLiteral("Flag"));
        // Shown at once: nothing stored reads NO.
        QVERIFY(!plain.isChecked());
        QVERIFY(negated.isChecked());

        plain.show();
        negated.show();
        QTest::mouseClick(&plain, Qt::LeftButton);
        QVERIFY(plain.isChecked());
        QVERIFY(!negated.isChecked()); // follows the other widget at once
        synchronize();
        QVERIFY(storedFlag());

        QTest::mouseClick(&negated, Qt::LeftButton);
        QVERIFY(negated.isChecked());
        QVERIFY(!plain.isChecked());
        synchronize();
        QVERIFY(!storedFlag());

        // A change made elsewhere shows at once.
        toggleBoolForKey(QStringLiteral("Flag"));
        QVERIFY(plain.isChecked());
        QVERIFY(!negated.isChecked());
    }

    void shortFormOnALineEdit() {
        setObject(QStringLiteral("stored text"), QStringLiteral("Name"));
        QLineEdit edit;
        bindObject(&edit, QStringLiteral("Name"));
        QCOMPARE(edit.text(), QStringLiteral("stored text"));
        edit.show();
        edit.clear();
        QTest::keyClicks(&edit, QStringLiteral("typed"));
        // Continuously: every keystroke reaches the store, not only the end of editing.
        QCOMPARE(objectForKey(QStringLiteral("Name"))->toString(), QStringLiteral("typed"));
        setObject(QStringLiteral("from elsewhere"), QStringLiteral("Name"));
        QCOMPARE(edit.text(), QStringLiteral("from elsewhere"));
    }

    void shortFormUsesAValueProperty() {
        setInteger(7, QStringLiteral("Count"));
        QSpinBox spin;
        bindObject(&spin, QStringLiteral("Count"));
        QCOMPARE(spin.value(), 7);
        spin.setValue(9);
        QCOMPARE(integerForKey(QStringLiteral("Count")), 9);
    }

    void onlyWhenEditingEndsWithoutContinuousUpdates() {
        QLineEdit edit;
        bind(&edit, QStringLiteral("text"), UserDefaultsController::sharedUserDefaultsController(),
             QStringLiteral("values.Later"), {});
        edit.show();
        QTest::keyClicks(&edit, QStringLiteral("abc"));
        QVERIFY(!objectForKey(QStringLiteral("Later")));
        QTest::keyClick(&edit, Qt::Key_Return);
        QCOMPARE(objectForKey(QStringLiteral("Later"))->toString(), QStringLiteral("abc"));
    }

    void prefixRules() {
        Toggle t;
        setBool(true, QStringLiteral("Flag"));
        // "not.not.x" binds "not.x"... which here is no property, so nothing is bound.
        test::LogCapture log;
        bindObject(&t, QStringLiteral("not.not.x"), QStringLiteral("Flag"));
        QCOMPARE(log.lines.size(), 1);
        QVERIFY(log.lines.first().contains(QStringLiteral("\"not.x\"")));
        // "Not.x" is not the prefix: used unchanged, and not a property either.
        bindObject(&t, QStringLiteral("Not.x"), QStringLiteral("Flag"));
        QCOMPARE(log.lines.size(), 2);
        QVERIFY(log.lines.last().contains(QStringLiteral("\"Not.x\"")));
        // "not.notx" binds "notx", negated once.
        bindObject(&t, QStringLiteral("not.notx"), QStringLiteral("Flag"));
        QCOMPARE(t.notx(), false);
        bindObject(&t, QStringLiteral("x"), QStringLiteral("Flag"));
        QCOMPARE(t.x(), true);
        QCOMPARE(log.lines.size(), 2);
    }

    void unbindableNamesBindNothing() {
        Toggle t;
        test::LogCapture log;
        bindObject(&t, QStringLiteral("readOnly"), QStringLiteral("Flag"));
        bindObject(&t, QStringLiteral("missing"), QStringLiteral("Flag"));
        QCOMPARE(log.lines.size(), 2);
        QVERIFY(t.findChildren<QObject*>().isEmpty());
    }

    void rebindingReplaces() {
        Toggle t;
        bindObject(&t, QStringLiteral("x"), QStringLiteral("A"));
        bindObject(&t, QStringLiteral("x"), QStringLiteral("B"));
        QCOMPARE(t.findChildren<QObject*>().size(), 1);
        t.setX(true);
        QVERIFY(!boolForKey(QStringLiteral("A")));
        QVERIFY(boolForKey(QStringLiteral("B")));
    }

    void destroyedWidgetLeavesNothingBehind() {
        auto* box = new QCheckBox;
        bindObject(box, QStringLiteral("checked"), QStringLiteral("Flag"));
        delete box;
        toggleBoolForKey(QStringLiteral("Flag")); // must not touch the deleted widget
        QVERIFY(boolForKey(QStringLiteral("Flag")));
    }
};

TWK_TEST_MAIN_WITH_SANDBOX(TestBindings)
#include "test_bindings.moc"
