// The helper library's alerts: the builder's buttons (each answering 1000 + its place), its
// informative text as a format only with arguments, the caution sign for the critical style,
// and the message alert that reports its end to a delegate.

#include "support/alert/AlertBuilders.h"
#include "tests/common/Testing.h"

#include <QApplication>
#include <QPushButton>

using namespace twk;

class TestAlerts : public QObject {
    Q_OBJECT
    QList<std::tuple<alert::Alert*, int, void*>> ended_;

public Q_SLOTS:
    // The message alert's delegate.
    void alertDidEnd(twk::alert::Alert* ended, int returnCode, void* context) {
        ended_.append({ended, returnCode, context});
    }

private Q_SLOTS:
    void init() { ended_.clear(); }

    // The alert builder's buttons (each answering 1000 + its place), its informative text as a
    // format only with arguments, the caution sign for the critical style, the message alert.
    void builder_data() {
        QTest::addColumn<QList<std::optional<QString>>>("titles");
        QTest::addColumn<std::optional<QString>>("informative");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("shown");
        using O = std::optional<QString>;
        // clang-format off
        QTest::newRow("done") << QList<O>{"OK", {}, {}} << O("100%% %@ <b>x</b>") << QStringList{"OK"} << "100%% %@ <b>x</b>";
        QTest::newRow("confirmation") << QList<O>{"Install Script", "Cancel", {}} << O() << QStringList{"Install Script", "Cancel"} << "";
        QTest::newRow("alternate alone") << QList<O>{{}, "Cancel", {}} << O("i") << QStringList{"Cancel"} << "i";
        QTest::newRow("other is a third") << QList<O>{"A", "B", "C"} << O("%@ of %ld") << QStringList{"A", "B", "C"} << "two of 3";
        // clang-format on
    }
    void builder() {
        QFETCH(QList<std::optional<QString>>, titles);
        QFETCH(std::optional<QString>, informative);
        QFETCH(QStringList, buttons);
        QFETCH(QString, shown);
        for (int i = 0; i < buttons.size(); ++i) {
            auto made =
                shown == u"two of 3"
                    ? alert::qzAlertWithMessageText("m", titles[0], titles[1], titles[2],
                                                    informative, QStringLiteral("two"), qint64(3))
                    : alert::qzAlertWithMessageText("m", titles[0], titles[1], titles[2],
                                                    informative);
            QCOMPARE(made->informativeText(), shown);
            QCOMPARE(made->alertStyle(), int(alert::WarningAlertStyle)); // only callers style them
            QCOMPARE(made->icon(), QMessageBox::Warning);
            made->setAlertStyle(alert::CriticalAlertStyle);
            made->setShowsSuppressionButton(i % 2 == 0); // asked for twice: one box, or none
            made->setShowsSuppressionButton(i % 2 == 0);
            QCOMPARE(made->showsSuppressionButton(), i % 2 == 0);
            QCOMPARE(made->icon(), QMessageBox::Warning);
            made->open();
            QTest::mouseClick(made->addedButtons()[i], Qt::LeftButton);
            QCOMPARE(made->returnCode(), 1000 + i);
            QCOMPARE(made->addedButtons()[i]->text(), buttons[i]);
            QCOMPARE(made->addedButtons().size(), buttons.size());
        }
        alert::Alert informational;
        informational.setAlertStyle(alert::InformationalAlertStyle);
        QCOMPARE(informational.icon(), QMessageBox::Information);
        informational.setAlertStyle(alert::WarningAlertStyle); // and back
        QCOMPARE(informational.icon(), QMessageBox::Warning);
        QCOMPARE(informational.returnCode(), alert::AlertStoppedReturn);
        QPointer<alert::Alert> message = alert::showMessage("Hello", "50% %@", this, "alertDidEnd");
        QVERIFY(message && message->isVisible() && !message->parentWidget() &&
                message->addedButtons().isEmpty());
        QCOMPARE(message->informativeText(), QStringLiteral("50% %@"));
        alert::Alert* raw = message.data();
        message->done(0);
        QTRY_COMPARE(ended_.size(), 1);
        QCOMPARE(ended_.first(),
                 std::make_tuple(raw, int(alert::AlertStoppedReturn), static_cast<void*>(nullptr)));
        QTRY_VERIFY(!message);
    }
};

TWK_TEST_MAIN(TestAlerts)
#include "test_alerts.moc"
