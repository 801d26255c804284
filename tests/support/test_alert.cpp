// The alert builder and the free-standing message alert.

#include "support/alert/AlertBuilders.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

using namespace twk;
using alert::Alert;
using std::nullopt;

namespace {

QStringList titles(const Alert& a) {
    QStringList list;
    for (const QPushButton* b : a.addedButtons())
        list.append(b->text());
    return list;
}

} // namespace

class Delegate : public QObject {
    Q_OBJECT
public:
    QList<std::tuple<Alert*, int, void*>> calls;
public Q_SLOTS:
    void alertDidEnd(twk::alert::Alert* a, int returnCode, void* context) {
        calls.append({a, returnCode, context});
    }
};

class TestAlert : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buttons_data() {
        QTest::addColumn<std::optional<QString>>("defaultButton");
        QTest::addColumn<std::optional<QString>>("alternateButton");
        QTest::addColumn<std::optional<QString>>("otherButton");
        QTest::addColumn<QStringList>("expected");
        using O = std::optional<QString>;
        QTest::newRow("done") << O("OK") << O() << O() << QStringList{"OK"};
        QTest::newRow("confirmation")
            << O("Install Script") << O("Cancel") << O() << QStringList{"Install Script", "Cancel"};
        QTest::newRow("alternate alone") << O() << O("Cancel") << O() << QStringList{"Cancel"};
        QTest::newRow("none") << O() << O() << O() << QStringList{};
        QTest::newRow("other adds a third")
            << O("A") << O("B") << O("C") << QStringList{"A", "B", "C"};
    }
    void buttons() {
        QFETCH(std::optional<QString>, defaultButton);
        QFETCH(std::optional<QString>, alternateButton);
        QFETCH(std::optional<QString>, otherButton);
        QFETCH(QStringList, expected);
        auto a = alert::qzAlertWithMessageText(QStringLiteral("m"), defaultButton, alternateButton,
                                               otherButton, QStringLiteral("i"));
        QCOMPARE(titles(*a), expected);
        QCOMPARE(a->messageText(), QStringLiteral("m"));
        // Only callers style alerts.
        QCOMPARE(a->alertStyle(), int(alert::WarningAlertStyle));
        // Each button answers 1000 + its place, whichever way it is pressed.
        for (int i = 0; i < a->addedButtons().size(); ++i) {
            auto b = alert::qzAlertWithMessageText(QStringLiteral("m"), defaultButton,
                                                   alternateButton, otherButton, nullopt);
            b->open();
            QTest::mouseClick(b->addedButtons()[i], Qt::LeftButton);
            QCOMPARE(b->returnCode(), 1000 + i);
        }
    }

    void escapeAnswersTheSecondButton() {
        auto a = alert::qzAlertWithMessageText(QStringLiteral("Install script 'x' ?"),
                                               QStringLiteral("Install Script"),
                                               QStringLiteral("Cancel"), nullopt, nullopt);
        a->open();
        QVERIFY(QTest::qWaitForWindowExposed(a.get()));
        QTest::keyClick(a.get(), Qt::Key_Escape);
        QCOMPARE(a->returnCode(), 1001);
        QCOMPARE(a->defaultButton(), a->addedButtons().first());
    }

    void informativeTextIsLiteralWithoutArguments_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("object") << "Script '%@' - not found";
        QTest::newRow("letters") << "%s %n %d %x %C";
        QTest::newRow("double") << "100%% sure%";
        QTest::newRow("HTML") << "<b>bold</b> & <i>";
    }
    void informativeTextIsLiteralWithoutArguments() {
        QFETCH(QString, text);
        auto a = alert::qzAlertWithMessageText(QStringLiteral("Doh!"), QStringLiteral("OK"),
                                               nullopt, nullopt, text);
        QCOMPARE(a->informativeText(), text);
    }

    void informativeFormatTakesArguments() {
        auto a = alert::qzAlertWithMessageText(QStringLiteral("m"), QStringLiteral("OK"), nullopt,
                                               nullopt, QStringLiteral("%@ of %ld"),
                                               QStringLiteral("two"), qint64(3));
        QCOMPARE(a->informativeText(), QStringLiteral("two of 3"));
    }

    void absentInformativeFormat() {
        auto a = alert::qzAlertWithMessageText(QStringLiteral("m"), QStringLiteral("OK"), nullopt,
                                               nullopt, nullopt, QStringLiteral("ignored"));
        QCOMPARE(a->informativeText(), QString());
    }

    void styleAndSuppression() {
        Alert a;
        a.setAlertStyle(alert::CriticalAlertStyle);
        QCOMPARE(a.icon(), QMessageBox::Critical);
        QVERIFY(!a.suppressionButton());
        a.setShowsSuppressionButton(true);
        QVERIFY(a.suppressionButton());
        QCOMPARE(a.suppressionButton()->text(), QStringLiteral("Do not ask again"));
    }

    void showMessageReportsItsEndOnce() {
        Delegate delegate;
        QPointer<Alert> a = alert::showMessage(
            QStringLiteral("Hello"), QStringLiteral("50% %@ done"), &delegate, "alertDidEnd");
        QVERIFY(a);
        QVERIFY(a->isVisible());
        QVERIFY(!a->parentWidget());
        QCOMPARE(a->text(), QStringLiteral("Hello"));
        QCOMPARE(a->informativeText(), QStringLiteral("50% %@ done"));
        QVERIFY(a->addedButtons().isEmpty());
        QVERIFY(QTest::qWaitForWindowActive(a.data()));
        Alert* raw = a.data();
        QTest::keyClick(a.data(), Qt::Key_Return);
        QTRY_COMPARE(delegate.calls.size(), 1);
        QCOMPARE(std::get<0>(delegate.calls.first()), raw);
        QCOMPARE(std::get<1>(delegate.calls.first()), 1000);
        QCOMPARE(std::get<2>(delegate.calls.first()), nullptr);
        QTRY_VERIFY(a.isNull()); // deleted once reported
        QTest::qWait(50);
        QCOMPARE(delegate.calls.size(), 1);
    }
};

QTEST_MAIN(TestAlert)
#include "test_alert.moc"
