// Installing one item over another: what is copied, what replaces what, and that a failed
// or interrupted install never loses the installed copy.

#include "installer/ScriptInstall.h"
#include "installer/StagedCopy.h"
#include "tests/common/LogCapture.h"
#include "tests/common/TestSandbox.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace twk;
using test::entries;
using test::readText;
using test::writeText;

namespace {

bool isLink(const QString& path) {
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

} // namespace

class TestStagedCopy : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString source_;
    QString target_;

private Q_SLOTS:
    void init() {
        static int round = 0;
        source_ = dir_.filePath(QStringLiteral("source%1").arg(round));
        target_ = dir_.filePath(QStringLiteral("target%1").arg(round++));
        QDir().mkpath(source_);
        QDir().mkpath(target_);
    }

    void fileKeepsContentModeAndTime() {
        const QString script = source_ + QStringLiteral("/run.sh");
        writeText(script, "#!/bin/sh\necho hi\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
        const QDateTime old = QDateTime::fromSecsSinceEpoch(1000000000);
        QFile f(script);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
        f.close();

        QVERIFY(!installer::installItem(script, target_));
        const QFileInfo copy(target_ + QStringLiteral("/run.sh"));
        QCOMPARE(readText(copy.filePath()), QStringLiteral("#!/bin/sh\necho hi\n"));
        QCOMPARE(copy.permissions(), QFileInfo(script).permissions());
        QCOMPARE(copy.lastModified(), old);
        QCOMPARE(entries(target_), QStringList{QStringLiteral("run.sh")});
    }

    void folderCopiedWholeWithLinksAsLinks() {
        const QString tools = source_ + QStringLiteral("/Tools");
        writeText(tools + QStringLiteral("/a.sh"), "a");
        writeText(tools + QStringLiteral("/.hidden"), "h");
        writeText(tools + QStringLiteral("/deep/er/b.txt"), "b");
        QVERIFY(QFile::link(QStringLiteral("a.sh"), tools + QStringLiteral("/alias")));
        QVERIFY(QFile::link(QStringLiteral("/nonexistent/target"),
                            tools + QStringLiteral("/dangling")));
        QVERIFY(::mkfifo(QFile::encodeName(tools + QStringLiteral("/pipe")).constData(), 0600) ==
                0);

        QVERIFY(!installer::installItem(tools, target_));
        const QString copy = target_ + QStringLiteral("/Tools");
        QCOMPARE(entries(copy),
                 (QStringList{".hidden", "a.sh", "alias", "dangling", "deep", "pipe"}));
        QCOMPARE(readText(copy + QStringLiteral("/deep/er/b.txt")), QStringLiteral("b"));
        QVERIFY(isLink(copy + QStringLiteral("/alias")));
        QCOMPARE(QFile::symLinkTarget(copy + QStringLiteral("/alias")),
                 copy + QStringLiteral("/a.sh"));
        QVERIFY(isLink(copy + QStringLiteral("/dangling")));
    }

    void replacing_data() {
        QTest::addColumn<bool>("oldIsFolder");
        QTest::addColumn<bool>("newIsFolder");
        QTest::newRow("file over file") << false << false;
        QTest::newRow("folder over folder") << true << true;
        QTest::newRow("folder over file") << false << true;
        QTest::newRow("file over folder") << true << false;
    }
    void replacing() {
        QFETCH(bool, oldIsFolder);
        QFETCH(bool, newIsFolder);
        const QString installed = target_ + QStringLiteral("/Script");
        if (oldIsFolder) {
            writeText(installed + QStringLiteral("/stale.txt"), "old");
        } else {
            writeText(installed, "old");
        }
        const QString fresh = source_ + QStringLiteral("/Script");
        if (newIsFolder)
            writeText(fresh + QStringLiteral("/new.txt"), "new");
        else
            writeText(fresh, "new");

        QVERIFY(!installer::installItem(fresh, target_));
        QCOMPARE(QFileInfo(installed).isDir(), newIsFolder);
        if (newIsFolder) // no merge: what the old folder held is gone
            QCOMPARE(entries(installed), QStringList{QStringLiteral("new.txt")});
        else
            QCOMPARE(readText(installed), QStringLiteral("new"));
        QCOMPARE(entries(target_), QStringList{QStringLiteral("Script")});
    }

    void linkAtDestinationIsReplacedNotFollowed() {
        const QString outside =
            dir_.filePath(QStringLiteral("outside-%1").arg(QFileInfo(target_).fileName()));
        writeText(outside + QStringLiteral("/precious.txt"), "keep me");
        QVERIFY(QFile::link(outside, target_ + QStringLiteral("/Script")));
        writeText(source_ + QStringLiteral("/Script"), "new");

        QVERIFY(!installer::installItem(source_ + QStringLiteral("/Script"), target_));
        QVERIFY(!isLink(target_ + QStringLiteral("/Script")));
        QCOMPARE(readText(target_ + QStringLiteral("/Script")), QStringLiteral("new"));
        QCOMPARE(readText(outside + QStringLiteral("/precious.txt")), QStringLiteral("keep me"));
    }

    void sourceInSubfolderInstallsFlat() {
        writeText(source_ + QStringLiteral("/sub/dir/flat.sh"), "x");
        QVERIFY(!installer::installItem(source_ + QStringLiteral("/sub/dir/flat.sh"), target_));
        QCOMPARE(entries(target_), QStringList{QStringLiteral("flat.sh")});
    }

    void missingDestinationIsNeverCreated() {
        writeText(source_ + QStringLiteral("/a"), "x");
        const QString missing = target_ + QStringLiteral("/not-there");
        test::LogCapture log;
        QString error;
        QVERIFY(!installer::installScript(source_ + QStringLiteral("/a"), missing, &error));
        QVERIFY(!QFileInfo::exists(missing));
        QCOMPARE(log.lines.size(), 1);
        QVERIFY(log.lines.first().startsWith(QStringLiteral("error copying script: ")));
        QVERIFY(log.lines.first().contains(QStringLiteral("No such file or directory")));
    }

    void missingSourceFailsCleanly() {
        writeText(target_ + QStringLiteral("/gone"), "installed");
        test::LogCapture log;
        QVERIFY(!installer::installScript(source_ + QStringLiteral("/gone"), target_));
        QCOMPARE(readText(target_ + QStringLiteral("/gone")), QStringLiteral("installed"));
        QCOMPARE(entries(target_), QStringList{QStringLiteral("gone")});
    }

    // A copy that fails part-way, for real, in the real program: the file-size limit stops
    // writes past 64 KiB (root ignores permissions, not this).
    void failedCopyKeepsTheInstalledItem() {
        const test::Sandbox& box = test::sandbox();
        const QString big = box.sourceScripts + QStringLiteral("/Big Script");
        writeText(big + QStringLiteral("/small.txt"), "fits");
        writeText(big + QStringLiteral("/large.bin"), QByteArray(1 << 20, 'x'));
        const QString installed = box.userScripts + QStringLiteral("/Big Script");
        writeText(installed + QStringLiteral("/old.txt"), "the copy the user has");

        QProcess run;
        run.setChildProcessModifier([] {
            struct rlimit limit = {64 * 1024, 64 * 1024};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::signal(SIGXFSZ, SIG_IGN);
        });
        run.start(test::builtProgram(QStringLiteral("twk-script-installer")),
                  {QStringLiteral("--install-all")});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 1);
        const QString errors = QString::fromUtf8(run.readAllStandardError());
        QVERIFY2(errors.contains(QStringLiteral("error copying script: ")) &&
                     errors.contains(QStringLiteral("File too large")),
                 qPrintable(errors));
        QCOMPARE(entries(installed), QStringList{QStringLiteral("old.txt")});
        QCOMPARE(readText(installed + QStringLiteral("/old.txt")),
                 QStringLiteral("the copy the user has"));
        for (const QString& name : entries(box.userScripts))
            QVERIFY2(!name.startsWith(QStringLiteral(".twk-")), qPrintable(name));
        QDir(big).removeRecursively();
    }

    // What a killed run left behind is removed by the next install of the same script,
    // but never what a live process is still writing.
    void leftoversOfEndedRunsAreCleanedUp() {
        QProcess ended;
        ended.start(QStringLiteral("true"));
        QVERIFY(ended.waitForStarted());
        const qint64 deadPid = ended.processId();
        QVERIFY(ended.waitForFinished());
        writeText(source_ + QStringLiteral("/s"), "new");
        const QString tag = QString::fromLatin1(
            QCryptographicHash::hash("s", QCryptographicHash::Sha1).toHex().left(16));
        const QString dead = QStringLiteral("/.twk-staged-%1-%2-0000abcd").arg(tag).arg(deadPid);
        const QString live = QStringLiteral("/.twk-staged-%1-%2-0000abcd").arg(tag).arg(getppid());
        const QString mine = QStringLiteral("/.twk-staged-%1-%2-0000abcd").arg(tag).arg(getpid());
        const QString other = QStringLiteral("/.twk-old-0123456789abcdef-%1-00000001").arg(deadPid);
        writeText(target_ + dead + QStringLiteral("/half.txt"), "half");
        writeText(target_ + live, "busy");
        writeText(target_ + mine, "this process is still writing it");
        writeText(target_ + other, "another script's");

        QVERIFY(!installer::installItem(source_ + QStringLiteral("/s"), target_));
        QStringList expected{other.mid(1), live.mid(1), mine.mid(1), QStringLiteral("s")};
        expected.sort();
        QCOMPARE(entries(target_), expected);
    }
};

TWK_TEST_MAIN_WITH_SANDBOX(TestStagedCopy)
#include "test_staged_copy.moc"
