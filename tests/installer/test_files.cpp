// The installer's file work on real trees in temporary folders: every kind of item copied,
// replaced and compared; differing copies kept in the Trash; and hostile trees (a thousand
// levels, paths longer than PATH_MAX, names that are not UTF-8, links swapped in mid-walk,
// copies into themselves, mount points, full and foreign file systems) leaving nothing outside
// touched and no debris inside.

#include "installer/files/BaseStore.h"
#include "installer/files/BulkInstall.h"
#include "installer/files/FolderStack.h"
#include "installer/files/InstallRecord.h"
#include "installer/files/Items.h"
#include "installer/files/ScriptAssessment.h"
#include "installer/files/ScriptCatalog.h"
#include "installer/files/ScriptDetails.h"
#include "installer/files/ScriptInstall.h"
#include "installer/files/ScriptNames.h"
#include "installer/files/ScriptRemoval.h"
#include "installer/files/StagedInstaller.h"
#include "installer/files/Threads.h"
#include "installer/files/ThreeWayMerge.h"
#include "installer/files/Trash.h"
#include "support/environment/BaseDirectories.h"
#include "support/log/SystemLog.h"
#include "support/text/Conversions.h"
#include "tests/common/Testing.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>
#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QUrl>

#include <condition_variable>
#include <fcntl.h>
#include <future>
#include <mutex>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace twk;
using namespace twk::files;

namespace {

QStringList logged;

QByteArray bytes(const QString& path) {
    return QFile::encodeName(path);
}

// A folder nested depth levels deep, each level named name, with a file at the bottom.
void makeDeep(const QString& top, int depth, const QByteArray& name) {
    ::mkdir(bytes(top).constData(), 0755);
    Fd at(::open(bytes(top).constData(), O_RDONLY | O_DIRECTORY));
    for (int i = 0; i < depth; ++i) {
        ::mkdirat(at.get(), name.constData(), 0755);
        at = posix::Fd(::openat(at.get(), name.constData(), O_RDONLY | O_DIRECTORY));
    }
    const Fd file(::openat(at.get(), "bottom", O_WRONLY | O_CREAT, 0644));
    QCOMPARE(::write(file.get(), "deep", 4), 4);
}

} // namespace

class TestFiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString src_, dst_, state_;

    QString src(const QString& name) const { return src_ + u'/' + name; }
    QString dst(const QString& name) const { return dst_ + u'/' + name; }
    QStringList debris() const { return test::entries(dst_).filter(QStringLiteral(".twk-")); }
    ScriptPlaces places() const { return {src_, dst_, state_}; }
    ScriptOutcome install(const QByteArray& name, EditChoice edits = EditChoice::Replace) {
        return installScriptNamed(places(), name, edits);
    }
    ScriptState state(const QByteArray& name) {
        CatalogFolders folders(places());
        const ScriptState found = folders.entry(name.toStdString()).state;
        return folders.learn().ok() ? found : ScriptState(-1);
    }

private Q_SLOTS:
    void initTestCase() {
        src_ = dir_.filePath(QStringLiteral("src"));
        dst_ = dir_.filePath(QStringLiteral("dst"));
        state_ = dir_.filePath(QStringLiteral("state"));
        log::setLogSinkForTesting([](const QString& line) { logged.append(line); });
    }
    // Our own removal, as QDir's cannot reach below PATH_MAX.
    void cleanupTestCase() {
        for (const QString& folder : {src_, dst_, state_, environment::dataHome() + "/Trash"}) {
            if (folder.startsWith(u'/') && !QFileInfo(folder).isDir())
                continue;
            const Fd parent = openFolderPath(bytes(folder + "/..").toStdString());
            QVERIFY(removeItem(parent.get(), QFileInfo(folder).fileName().toStdString(), {}).ok());
        }
    }
    void init() {
        logged.clear();
        cleanupTestCase();
        QDir().mkpath(src_);
        QDir().mkpath(dst_);
    }

    // Whoever watches the folder while a script is replaced (by a differing copy, then by the
    // same) never sees its name go: a copy has it at every moment. First of all, so that it
    // runs the way the program runs, before any test switches the swap off and on again.
    void neverMissing() {
        test::write(src("s"), "new");
        const Fd watch(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
        ::inotify_add_watch(watch.get(), bytes(dst_).constData(), IN_MOVE | IN_CREATE | IN_DELETE);
        for (const char* before : {"edited", "new"}) {
            test::write(dst("s"), before);
            QVERIFY(install("s").installed());
        }
        alignas(inotify_event) char events[1 << 16];
        const ssize_t size = ::read(watch.get(), events, sizeof events);
        int copies = 0; // named "s", as the events tell
        for (ssize_t at = 0; at < size && (at == 0 || copies > 0);) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            at += ssize_t(sizeof *event + event->len);
            if (event->len && qstrcmp(event->name, "s") == 0)
                copies += event->mask & (IN_MOVED_TO | IN_CREATE) ? 1 : -1;
        }
        QCOMPARE(copies, 1);
    }

    // Every kind of item: copied whole, then the same again (deleted, not trashed), then an
    // edited copy (trashed, restorable), and last moved to the Trash on request.
    void kinds_data() {
        // clang-format off
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("exchange"); // whether the file system swaps two entries at once
        for (const char* kind : {"file", "folder", "read-only folder", "link", "dangling link", "hidden", "fifo"}) QTest::newRow(kind) << QString::fromLatin1(kind) << true;
        for (const char* kind : {"file", "folder"}) QTest::addRow("%s, no swap", kind) << QString::fromLatin1(kind) << false;
        // clang-format on
    }
    void kinds() {
        QFETCH(QString, kind);
        QFETCH(bool, exchange);
        setExchangeUnsupportedForTesting(!exchange);
        auto swapAgain = qScopeGuard([] { setExchangeUnsupportedForTesting(false); });
        const QString name = kind == u"hidden" ? QStringLiteral(".hidden") : kind;
        const QString item = src(name);
        if (kind == u"folder" || kind == u"read-only folder") {
            test::write(item + "/a/b.txt", "b");
            test::write(item + "/.c", "c");
            QFile::link("a/b.txt", item + "/link");
            QCOMPARE(::mkfifo(bytes(item + "/pipe").constData(), 0600), 0);
            if (kind == u"read-only folder")
                QProcess::execute("chmod", {"-R", "a-w", item});
        } else if (kind == u"link" || kind == u"dangling link") {
            QFile::link(kind == u"link" ? src_ : QStringLiteral("/nonexistent"), item);
        } else if (kind == u"fifo") {
            QCOMPARE(::mkfifo(bytes(item).constData(), 0640), 0);
        } else {
            test::write(item, "#!/bin/sh\n");
            QFile::setPermissions(item, QFile::ReadOwner | QFile::ExeOwner);
        }
        const QByteArray native = bytes(name);
        QCOMPARE(resolveScript(src_, native).result, ResolvedScript::Result::Found);
        QCOMPARE(state(native), ScriptState::NotInstalled);
        for (int round = 0; round < 2; ++round) {
            const ScriptOutcome outcome = install(native);
            QVERIFY2(outcome.installed(), qPrintable(outcome.status.description()));
            QVERIFY(outcome.trashedName.isEmpty()); // the same copy is not kept
            QCOMPARE(test::tree(dst(name)), test::tree(item));
            QCOMPARE(QFileInfo(dst(name)).lastModified(), QFileInfo(item).lastModified());
            QCOMPARE(QFileInfo(dst(name)).permissions(), QFileInfo(item).permissions());
            QCOMPARE(state(native), ScriptState::Installed);
        }
        // An edited copy goes to the Trash, recorded with its own place.
        QProcess::execute("sh", {"-c", "chmod -R u+w \"$0\" 2>/dev/null", dst(name)});
        const bool isFolder = QFileInfo(dst(name)).isDir() && !QFileInfo(dst(name)).isSymLink();
        if (!isFolder)
            QFile::remove(dst(name));
        test::write(isFolder ? dst(name) + "/a/b.txt" : dst(name), "mine"); // same names, nested
        QCOMPARE(state(native), ScriptState::Edited);
        const auto before = test::tree(dst(name));
        const ScriptOutcome replaced = install(native);
        QVERIFY(replaced.installed());
        QCOMPARE(replaced.trashedName, native);
        QCOMPARE(test::tree(environment::dataHome() + "/Trash/files/" + name), before);
        const QString infoPath = environment::dataHome() + "/Trash/info/" + name + ".trashinfo";
        const QString info = QString::fromUtf8(test::read(infoPath));
        QCOMPARE(QFile::permissions(infoPath), QFileDevice::Permissions(0x6600)); // rw-------
        QVERIFY2(info.startsWith("[Trash Info]\nPath=" +
                                 QString::fromLatin1(QUrl::toPercentEncoding(dst(name), "/")) +
                                 "\nDeletionDate=" + QDate::currentDate().toString(Qt::ISODate) +
                                 "T"),
                 qPrintable(info));
        const auto removed = removeInstalledScript(dst_, native);
        QVERIFY2(removed.ok(), qPrintable(removed.status().description()));
        QCOMPARE(*removed, native + ".2");
        QVERIFY(!QFileInfo::exists(dst(name)) && !QFileInfo(dst(name)).isSymLink());
        QCOMPARE(debris(), QStringList());
        QCOMPARE(logged, QStringList());
    }

    // The bulk install, on several threads: every entry, hidden ones too; per-entry results.
    void installAll() {
        for (int i = 0; i < 40; ++i)
            test::write(src(QStringLiteral("script %1").arg(i)), QByteArray::number(i));
        test::write(src(".hidden/x"), "x");
        test::write(dst("script 7"), "edited");
        QVariantList seen;
        const auto report = installAllScripts(
            places(), EditChoice::Replace,
            [&](const ScriptOutcome& s, qsizetype done, qsizetype total) {
                seen.append(done);
                QCOMPARE(total, 41);
                QVERIFY(s.installed());
            },
            3);
        QVERIFY(seen.size() == 41 && seen.last().toInt() == 41);
        QVERIFY(report.allInstalled());
        QCOMPARE(test::tree(dst_).size(), 42);
        QCOMPARE(test::read(environment::dataHome() + "/Trash/files/script 7"),
                 QByteArray("edited"));
        QCOMPARE(installAllScripts({std::nullopt, dst_, state_}, EditChoice::Keep).source,
                 SourceState::TarnwickNotFound);
        QCOMPARE(installAllScripts({src_ + "/none", dst_, state_}, EditChoice::Keep).source,
                 SourceState::Unreadable);
        QCOMPARE(logged, QStringList(2, "error getting script directory"));
        // A user scripts folder that is missing is never created; one reason for all.
        QDir(dst_).removeRecursively();
        const auto missing = installAllScripts(places(), EditChoice::Keep);
        QCOMPARE(missing.destination.error(), ENOENT);
        QCOMPARE(missing.failedCount(), 41);
        QVERIFY(!QFileInfo::exists(dst_));
        QVERIFY(logged.last().startsWith("error copying script: cannot copy"));
    }

    // Once installed, nothing unchanged is read again: a listing and an Install All of a tree
    // where nothing changed open no file of either folder. (A stamp vouches for a copy only
    // once it was taken a clock's tick after the copy's newest time: until then, it is read.)
    void unchangedIsNotRead() {
        for (int i = 0; i < 20; ++i)
            test::write(src(QStringLiteral("script %1").arg(i)), QByteArray::number(i));
        test::write(src("tools/a"), "a");
        QVERIFY(installAllScripts(places(), EditChoice::Keep).allInstalled());
        // Written straight, the record has the bytes Qt's CBOR values would give it.
        const QByteArray written = test::read(state_ + "/installed.cbor");
        bool newer = false;
        RecordFile file = decodeRecord(written, newer).value();
        QCOMPARE(encodeRecordGenerally(file), written);
        file.entries.begin()->pending = Digest{1, quint64(-2)}; // what a run is putting in place
        file.entries.begin()->source.coarse = true;
        QCOMPARE(encodeRecord(file), encodeRecordGenerally(file));
        auto fileOpens = [&](const std::function<void()>& work) {
            const Fd watch(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
            for (const QString& folder : {src_, dst_, src("tools"), dst("tools")})
                ::inotify_add_watch(watch.get(), bytes(folder).constData(), IN_OPEN);
            work();
            alignas(inotify_event) char events[1 << 16];
            const ssize_t size = ::read(watch.get(), events, sizeof events);
            int opens = 0;
            for (ssize_t at = 0; at < size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(events + at);
                at += ssize_t(sizeof *event + event->len);
                opens += event->len && !(event->mask & IN_ISDIR) ? 1 : 0;
            }
            return opens;
        };
        QTRY_COMPARE(fileOpens([&] { scriptCatalog(places()); }), 0);
        int copied = 0;
        QCOMPARE(fileOpens([&] {
                     for (const ScriptOutcome& script :
                          installAllScripts(places(), EditChoice::Keep).scripts)
                         copied += script.done == ScriptOutcome::Done::Copied ? 1 : 0;
                 }),
                 0);
        QCOMPARE(copied, 0);
        // A stamp taken within a tick of the copy's newest time does not vouch for it: an
        // edit in that tick could leave every time as it was. Here the record says the edited
        // copy holds what was installed: read, it is found edited; vouched for, believed.
        const Fd source = openFolderPath(bytes(src_).toStdString());
        const Fd user = openFolderPath(bytes(dst_).toStdString());
        test::write(dst("script 0"), "edited");
        for (const qint64 after : {qint64(0), qint64(1'000'000'000)}) {
            RecordEntry entry{"script 0", *contentDigest(source.get(), "script 0"),
                              *stampOf(user.get(), "script 0"), *stampOf(source.get(), "script 0")};
            entry.installed.taken = entry.installed.newest + after;
            entry.source.taken = entry.source.newest + 1'000'000'000;
            RecordChanges changes;
            changes.put(entry);
            QVERIFY(writeRecordChanges(bytes(state_).toStdString(), changes).ok());
            const auto record = InstallRecord::read(bytes(state_).toStdString());
            QCOMPARE(
                assessScript(source.get(), user.get(), "script 0", record.find("script 0")).state,
                after ? ScriptState::Installed : ScriptState::Edited);
        }
    }

    // A run killed between its swap and its record: the copy it put in place is known for the
    // program's own by what the record says it was about to install, never taken for an edit.
    void runKilledBeforeItsRecord() {
        test::write(src("s"), "v1");
        QCOMPARE(install("s").done, ScriptOutcome::Done::Copied);
        const Fd source = openFolderPath(bytes(src_).toStdString());
        test::write(src("s"), "v2"); // the killed run's version, which it swapped in
        RecordEntry entry = *InstallRecord::read(bytes(state_).toStdString()).find("s");
        entry.pending = *contentDigest(source.get(), "s");
        RecordChanges changes;
        changes.put(entry);
        QVERIFY(writeRecordChanges(bytes(state_).toStdString(), changes).ok());
        test::write(dst("s"), "v2");
        test::write(src("s"), "v3"); // and Tarnwick changed again since
        const QByteArray killed = test::read(state_ + "/installed.cbor");
        QCOMPARE(state("s"), ScriptState::UpdateAvailable);
        // Updated, whether a look taught the record first or not.
        for (bool looked : {true, false}) {
            test::write(dst("s"), "v2");
            test::write(src("s"), "v3");
            if (!looked)
                test::write(state_ + "/installed.cbor", killed);
            QCOMPARE(install("s", EditChoice::Keep).done, ScriptOutcome::Done::Copied);
            QCOMPARE(test::read(dst("s")), QByteArray("v3"));
        }
    }

    // A damaged record, whatever is wrong with it, is set aside whole and read as none: the
    // install goes on, and the new record knows what it put in place. Its bases are the user's
    // scripts, kept for no one else to read.
    void damagedRecordSetAside_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("not a record at all") << "bytes";
        QTest::newRow("cut short") << "cut";
        QTest::newRow("no list of scripts") << "no scripts";
        QTest::newRow("an entry whose files are no map") << "files";
        QTest::newRow("an entry whose pending content is no digest") << "pending";
        QTest::newRow("an entry without its name") << "name";
        QTest::newRow("a newer member that is not valid text") << "newer member";
        QTest::newRow("a stamp whose time is no number") << "stamp";
    }
    void damagedRecordSetAside() {
        QFETCH(QString, damage);
        test::write(src("s"), "#!/bin/sh\n");
        QVERIFY(install("s").installed());
        for (const QFileInfo& base : QDir(state_ + "/bases").entryInfoList(QDir::Files))
            QCOMPARE(base.permissions(),
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        const QString path = state_ + "/installed.cbor";
        QByteArray bytes = test::read(path);
        QCborMap record = QCborValue::fromCbor(bytes).toMap();
        QCborArray scripts = record.value(QStringLiteral("scripts")).toArray();
        QCborMap entry = scripts.first().toMap();
        const bool entryDamage = damage == u"files" || damage == u"pending" || damage == u"name" ||
                                 damage == u"newer member" || damage == u"stamp";
        if (damage == u"files")
            entry.insert(4, 7);
        else if (damage == u"pending")
            entry.insert(5, QStringLiteral("v2"));
        else if (damage == u"name")
            entry.remove(0);
        else if (damage == u"newer member")
            entry.insert(9, QStringLiteral("newer member"));
        else if (damage == u"stamp")
            entry.insert(2, QCborArray{1, 2, QStringLiteral("newest"), 4, false});
        if (entryDamage) {
            scripts[0] = entry;
            record.insert(QStringLiteral("scripts"), scripts);
        }
        if (damage == u"no scripts")
            record.remove(QStringLiteral("scripts"));
        if (damage == u"bytes")
            bytes = "{\"scripts\": []}";
        else if (damage == u"cut")
            bytes.chop(3);
        else
            bytes = record.toCborValue().toCbor();
        bytes.replace("newer member", "newer membe\xff");
        test::write(path, bytes);
        test::write(src("t"), "t");
        QVERIFY(install("t").installed());
        const QStringList aside = QDir(state_).entryList({"installed.cbor.damaged-*"});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(test::read(state_ + u'/' + aside.first()), bytes);
        QCOMPARE(state("t"), ScriptState::Installed);
        QCOMPARE(state("s"), ScriptState::Installed); // learned again: equal to Tarnwick's
    }

    // A record written by a newer version is read as none and left as it is: the states rest
    // on the copies' contents, and nothing is written over it.
    void newerRecordLeftAlone() {
        const QByteArray newer = QCborMap{{QStringLiteral("version"), 99}}.toCborValue().toCbor();
        test::write(state_ + "/installed.cbor", newer);
        test::write(src("s"), "s");
        QCOMPARE(install("s").done, ScriptOutcome::Done::Copied);
        QCOMPARE(InstallRecord::read(bytes(state_).toStdString()).problem().error(), EPROTO);
        QCOMPARE(state("s"), ScriptState(-1)); // installed, but the record could not learn it
        QCOMPARE(test::read(state_ + "/installed.cbor"), newer);
    }

    // What makes an installed copy the user's edit: its content, and inside a folder each
    // entry's executable bit; never its times, nor the mode of the item itself.
    void whatCountsAsAnEdit_data() {
        // clang-format off
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("change"); // shell, run on the installed copy as $0
        QTest::addColumn<ScriptState>("state");
        QTest::newRow("file touched") << "file" << "touch -d 2001-01-01 \"$0\"" << ScriptState::Installed;
        QTest::newRow("file made executable") << "file" << "chmod +x \"$0\"" << ScriptState::Installed;
        QTest::newRow("folder made read-only") << "folder" << "chmod a-w \"$0\"" << ScriptState::Installed;
        QTest::newRow("file in folder made executable") << "folder" << "chmod +x \"$0/a\"" << ScriptState::Edited;
        QTest::newRow("file in folder made a link") << "folder" << "ln -sf b \"$0/a\"" << ScriptState::Edited;
        QTest::newRow("file in folder emptied") << "folder" << ": > \"$0/a\"" << ScriptState::Edited;
        // clang-format on
    }
    void whatCountsAsAnEdit() {
        QFETCH(QString, item);
        QFETCH(QString, change);
        QFETCH(ScriptState, state);
        const QByteArray name = item.toUtf8();
        test::write(item == u"file" ? src(item) : src(item) + "/a", "#!/bin/sh\n");
        QVERIFY(install(name).installed());
        QCOMPARE(QProcess::execute("sh", {"-c", change, dst(item)}), 0);
        QCOMPARE(this->state(name), state);
        QProcess::execute("chmod", {"-R", "u+w", dst(item)});
    }

    // Scripts that wait for the user (an update available, an edit kept) teach the record
    // their stamps once; later looks at them write nothing.
    void waitingScriptsWriteNothing() {
        for (const char* name : {"u", "e"}) {
            test::write(src(name), "1");
            QVERIFY(install(name).installed());
        }
        test::write(src("u"), "2");
        test::write(dst("e"), "mine");
        QTest::qWait(50); // a tick after the newest times: stamps taken now vouch
        auto recordFile = [&] {
            struct stat st {};
            ::stat(bytes(state_ + "/installed.cbor").constData(), &st);
            return std::pair(st.st_ino, st.st_ctim.tv_sec * 1'000'000'000 + st.st_ctim.tv_nsec);
        };
        const auto installed = recordFile();
        QCOMPARE(state("u"), ScriptState::UpdateAvailable);
        QCOMPARE(state("e"), ScriptState::Edited);
        const auto learned = recordFile();
        QVERIFY(learned != installed); // the first look learns the stamps it can now trust
        QCOMPARE(state("u"), ScriptState::UpdateAvailable);
        QCOMPARE(state("e"), ScriptState::Edited);
        QCOMPARE(recordFile(), learned);
    }

    // A script the user removed by hand is forgotten by the record at the next look.
    void removedByHandForgotten() {
        test::write(src("s"), "s");
        QVERIFY(install("s").installed());
        QFile::remove(dst("s"));
        QCOMPARE(state("s"), ScriptState::NotInstalled);
        QVERIFY(!InstallRecord::read(bytes(state_).toStdString()).find("s"));
    }

    // A file script is digested as it is copied: the record holds what reading the copy gives,
    // whatever its size against the copy's pieces and the limit of a base, and a text up to
    // that limit is kept whole as the base of a later merge.
    void digestWhileCopying_data() {
        // clang-format off
        QTest::addColumn<qsizetype>("size");
        QTest::addColumn<char>("byte");
        QTest::addColumn<bool>("base");
        QTest::newRow("empty") << qsizetype(0) << 'a' << true;
        QTest::newRow("one piece exactly") << qsizetype(TapBufferSize) << 'a' << true;
        QTest::newRow("one byte into a second piece") << qsizetype(TapBufferSize + 1) << 'a' << true;
        QTest::newRow("a base's limit exactly") << qsizetype(WholeFileLimit) << 'a' << true;
        QTest::newRow("a byte over a base's limit") << qsizetype(WholeFileLimit + 1) << 'a' << false;
        QTest::newRow("not text") << qsizetype(5000) << '\0' << false;
        // clang-format on
    }
    void digestWhileCopying() {
        QFETCH(qsizetype, size);
        QFETCH(char, byte);
        QFETCH(bool, base);
        QByteArray content(size, byte);
        for (qsizetype i = 0; i < size; i += 4099)
            content[i] = char('b' + i % 23); // pieces that differ, so that none is hashed twice
        test::write(src("s"), content);
        // A base an earlier version kept as a file of its own, cut short by a crash, hides
        // nothing: the whole one is kept again, private to the user.
        const QString leftover = state_ + "/bases/" + fileBytesDigest(content).hex();
        if (base && size > 0)
            test::write(leftover, content.left(size / 2));
        QFile::setPermissions(leftover, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(install("s").done, ScriptOutcome::Done::Copied);
        const Fd source = openFolderPath(bytes(src_).toStdString());
        const Digest read = *contentDigest(source.get(), "s");
        const InstallRecord record = InstallRecord::read(bytes(state_).toStdString());
        const RecordEntry* entry = record.find("s");
        QVERIFY(entry && entry->content == read && entry->files.at("") == read);
        const auto kept = BaseStore(bytes(state_).toStdString()).text(read);
        QCOMPARE(kept.ok(), base);
        QVERIFY(!base || *kept == content);
        for (const QFileInfo& file : QDir(state_ + "/bases").entryInfoList(QDir::Files))
            QCOMPARE(file.permissions(),
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(test::read(dst("s")), content);
    }

    // Bases are each found whole, and kept once however often they are kept; a pack cut short by a
    // crash still gives what it holds whole; and a pack that mostly holds bases no entry names is
    // dropped once old, the named ones moved first, while one mostly named is left as it is.
    void basePacks() {
        const std::string state = bytes(state_).toStdString();
        const QString folder = state_ + "/bases";
        auto textOf = [](int i) { return QByteArray::number(i).repeated(i % 7 + 1) + '\n'; };
        std::vector<Digest> digests;
        for (int i = 0; i < 400; ++i)
            digests.push_back(fileBytesDigest(textOf(i)));
        {
            BaseStore store(state);
            for (size_t i = 0; i < digests.size(); ++i)
                QVERIFY(store.keep(digests[i], textOf(int(i))).ok());
            QVERIFY(store.flush().ok());
        }
        const QStringList packs = test::entries(folder);
        QCOMPARE(packs.size(), 1);
        const QString pack = folder + u'/' + packs.first();
        { // the same texts again (Tarnwick's copies rewritten as they were): nothing new
            BaseStore again(state);
            for (size_t i = 0; i < digests.size(); ++i)
                QVERIFY(again.keep(digests[i], textOf(int(i))).ok());
        }
        QCOMPARE(test::entries(folder), packs);
        BaseStore reader(state);
        for (size_t i = 0; i < digests.size(); ++i)
            QCOMPARE(reader.text(digests[i]).value_or(QByteArray()), textOf(int(i)));
        // Something that is no pack (a pipe nobody writes to) is passed over, not waited for.
        QVERIFY(::mkfifo(bytes(folder + "/pipe.pack").constData(), 0600) == 0);
        auto notWaiting = std::async(std::launch::async, [&] {
            BaseStore(state).dropUnused({});
            return BaseStore(state).text(digests[3]).ok();
        });
        QVERIFY(notWaiting.wait_for(std::chrono::seconds(10)) == std::future_status::ready);
        QVERIFY(notWaiting.get());
        QFile::remove(folder + "/pipe.pack");
        { // a copy damaged on disk, or in a pack old enough to be collected meanwhile, is
          // kept again whole
            QFile damaged(pack);
            QVERIFY(damaged.open(QIODevice::ReadWrite));
            const QByteArray all = damaged.readAll();
            const qsizetype at = all.indexOf(textOf(5));
            QVERIFY(at > 0 && damaged.seek(at) && damaged.write("X") == 1);
            damaged.close();
            BaseStore again(state);
            QVERIFY(again.keep(digests[5], textOf(5)).ok());
            QVERIFY(again.keep(digests[6], textOf(6)).ok()); // whole, and new: nothing
            QCOMPARE(test::entries(folder).size(), 2);
            QVERIFY(QProcess::execute("touch", {"-d", "9 minutes ago", pack}) == 0);
            QVERIFY(again.keep(digests[6], textOf(6)).ok()); // kept by this store already
            BaseStore later(state);
            QVERIFY(later.keep(digests[7], textOf(7)).ok()); // its pack may go any time now
            QCOMPARE(test::entries(folder).size(), 3);
            QCOMPARE(BaseStore(state).text(digests[5]).value_or(QByteArray()), textOf(5));
        }
        for (const QString& name : test::entries(folder)) {
            if (folder + u'/' + name != pack)
                QFile::remove(folder + u'/' + name);
        }
        QFile mended(pack); // the damage undone, for what follows
        QVERIFY(mended.open(QIODevice::ReadWrite));
        QVERIFY(mended.seek(mended.readAll().indexOf("X" + textOf(5).mid(1))));
        QCOMPARE(mended.write(textOf(5).left(1)), 1);
        mended.close();
        QVERIFY(QFile::resize(pack, QFileInfo(pack).size() - 1));
        BaseStore cut(state);
        QCOMPARE(std::count_if(digests.begin(), digests.end(),
                               [&](const Digest& d) { return cut.text(d).ok(); }),
                 qsizetype(digests.size() - 1));
        QVERIFY(QProcess::execute("touch", {"-d", "1 day ago", pack}) == 0);
        std::set<QString> named;
        for (size_t i = 0; i < digests.size() * 3 / 4; ++i)
            named.insert(digests[i].hex());
        cut.dropUnused(named); // mostly named: left
        QCOMPARE(test::entries(folder), packs);
        // A copy of a pack holds nothing the newest does not: it goes once old.
        QVERIFY(QFile::copy(pack, folder + "/0.pack"));
        QVERIFY(QProcess::execute("touch", {"-d", "2 days ago", folder + "/0.pack"}) == 0);
        cut.dropUnused(named);
        QCOMPARE(test::entries(folder), packs);
        named = {digests[7].hex(), digests[8].hex()};
        cut.dropUnused(named);
        QCOMPARE(test::entries(folder).size(), 1);
        QVERIFY(test::entries(folder) != packs);
        BaseStore collected(state);
        QCOMPARE(collected.text(digests[7]).value_or(QByteArray()), textOf(7));
        QCOMPARE(collected.text(digests[8]).value_or(QByteArray()), textOf(8));
        QCOMPARE(collected.text(digests[9]).status().error(), ENOENT);
        QCOMPARE(reader.text(digests[8]).value_or(QByteArray()), textOf(8)); // an index made before
        QVERIFY(QProcess::execute("touch", {"-d", "1 day ago",
                                            folder + u'/' + test::entries(folder).first()}) == 0);
        collected.dropUnused({});
        QCOMPARE(test::entries(folder), QStringList());
    }

    // Bases kept by several threads at once, on a disk that fills meanwhile: every one said to
    // be kept is found whole, whatever was cut short around it.
    void basesOnAFullDisk() {
        if (::geteuid() != 0)
            QSKIP("mounting a small file system needs root");
        const QString folder = state_ + "/bases";
        QDir().mkpath(folder);
        QVERIFY(QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder}) ==
                0);
        auto unmount = qScopeGuard([&] { QProcess::execute("umount", {folder}); });
        auto textOf = [](int i) { return QByteArray::number(i).repeated(300 + i % 97) + '\n'; };
        std::vector<std::atomic<bool>> kept(200);
        {
            BaseStore store(bytes(state_).toStdString());
            runOnThreads(kept.size(), 4, [&](size_t i) {
                kept[i] = store.keep(fileBytesDigest(textOf(int(i))), textOf(int(i))).ok();
            });
        }
        const qsizetype said = std::count(kept.begin(), kept.end(), true);
        QVERIFY2(said > 0 && said < qsizetype(kept.size()), qPrintable(QString::number(said)));
        BaseStore reader(bytes(state_).toStdString());
        for (size_t i = 0; i < kept.size(); ++i) {
            if (kept[i])
                QCOMPARE(reader.text(fileBytesDigest(textOf(int(i)))).value_or(QByteArray()),
                         textOf(int(i)));
        }
    }

    // Names are bytes: one that is not UTF-8 is listed, installed, compared and removed.
    void namesAreBytes() {
        const QByteArray latin1("caf\xe9.sh");
        const int fd = ::open((bytes(src_) + '/' + latin1).constData(), O_WRONLY | O_CREAT, 0644);
        ::close(fd);
        const ScriptCatalog catalog = scriptCatalog(places());
        QCOMPARE(catalog.scripts.size(), 1);
        QCOMPARE(catalog.scripts.first().name, latin1);
        QCOMPARE(text::fromNativeBytes(latin1), QString::fromUtf8("caf\xef\xbf\xbd.sh"));
        QVERIFY(install(latin1).installed());
        QCOMPARE(state(latin1), ScriptState::Installed);
        QVERIFY(removeInstalledScript(dst_, latin1).ok());
        QCOMPARE(state(latin1), ScriptState::NotInstalled);
        for (const QByteArray& bad : {QByteArray(), QByteArray("."), QByteArray(".."),
                                      QByteArray("a/b"), QByteArray("a\0b", 3)}) {
            QCOMPARE(resolveScript(src_, bad).result, ResolvedScript::Result::InvalidName);
            QVERIFY(!removeInstalledScript(dst_, bad).ok());
        }
        QCOMPARE(resolveScript(std::nullopt, latin1).result,
                 ResolvedScript::Result::TarnwickNotFound);
        QCOMPARE(resolveScript(src_, "missing").result, ResolvedScript::Result::NotFound);
        // A long name of two-byte characters is cut for the Trash between two characters.
        const QByteArray longName = QString(127, QChar(0xE9)).toUtf8(); // 254 bytes
        test::write(src(text::fromNativeBytes(longName)), "new");
        test::write(dst(text::fromNativeBytes(longName)), "edited");
        const QByteArray trashed = install(longName).trashedName;
        QVERIFY(trashed.size() >= 240 && longName.startsWith(trashed) && text::decodeUtf8(trashed));
    }

    // Depth and path length are the file system's limits only; nothing is left behind.
    void deepAndLong_data() {
        // clang-format off
        QTest::addColumn<int>("depth");
        QTest::addColumn<QByteArray>("level");
        QTest::newRow("a thousand levels") << 1000 << QByteArray("d");
        QTest::newRow("longer than PATH_MAX") << 40 << QByteArray(200, 'n');
        // clang-format on
    }
    void deepAndLong() {
        QFETCH(int, depth);
        QFETCH(QByteArray, level);
        makeDeep(src("deep"), depth, level);
        QVERIFY(depth * (level.size() + 1) > 1000 || depth >= 1000);
        for (int round = 0; round < 2; ++round) {
            const ScriptOutcome outcome = install("deep");
            QVERIFY2(outcome.installed(), qPrintable(outcome.status.description()));
            QCOMPARE(state("deep"), ScriptState::Installed);
        }
        const ItemMeasure measure =
            measureItem(openFolderPath(bytes(dst_).toStdString()).get(), "deep");
        QCOMPARE(measure.files, 1);
        QCOMPARE(measure.bytes, 4);
        QVERIFY(removeInstalledScript(dst_, "deep").ok());
        QCOMPARE(test::entries(dst_), QStringList());
        const Fd trash =
            openFolderPath(bytes(environment::dataHome() + "/Trash/files").toStdString());
        QVERIFY(removeItem(trash.get(), "deep", {}).ok());
    }

    // A folder swapped for a link to somewhere else while the old copy is being removed:
    // the link goes, never what it points to.
    void linkSwappedInDuringRemoval() {
        test::write(dir_.filePath("outside/precious"), "keep");
        const auto outside = test::tree(dir_.filePath("outside"));
        test::write(dst("old/sub/file"), "old");
        const QString sub = dst("old/sub");
        bool swapped = false;
        setEntryHookForTesting([&](const std::string& name) {
            if (name == "sub" && QFileInfo(sub).isDir() && !QFileInfo(sub).isSymLink()) {
                QDir(sub).removeRecursively();
                swapped = QFile::link(dir_.filePath("outside"), sub);
            }
        });
        const Fd folder = openFolderPath(bytes(dst_).toStdString());
        const Status removed = removeItem(folder.get(), "old", bytes(dst_).toStdString());
        setEntryHookForTesting({});
        QVERIFY2(swapped && removed.ok(), qPrintable(removed.description()));
        QCOMPARE(test::tree(dir_.filePath("outside")), outside);
        QVERIFY(!QFileInfo::exists(dst("old")));
    }

    // A copy into itself is refused before anything is made, both ways round.
    void copyIntoItself() {
        test::write(src("Tools/a"), "a");
        QVERIFY(QFile::link(src("Tools"), dir_.filePath("linked-user")));
        const ScriptOutcome inside = installScriptNamed(
            {src_, dir_.filePath("linked-user"), state_}, "Tools", EditChoice::Replace);
        QVERIFY2(inside.status.description().endsWith(": the user scripts folder lies inside it"),
                 qPrintable(inside.status.description()));
        QCOMPARE(test::entries(src("Tools")), QStringList{"a"});
        test::write(dst("Tools/inner/Tools/x"), "x");
        const auto before = test::tree(dst_);
        const ScriptOutcome outside =
            installScriptNamed({dst("Tools/inner"), dst_, state_}, "Tools", EditChoice::Replace);
        QVERIFY2(
            outside.status.description().endsWith(": Tarnwick's scripts folder lies inside it"),
            qPrintable(outside.status.description()));
        QCOMPARE(test::tree(dst_), before);
    }

    // What an earlier run left behind goes with the next install of that script, unless the
    // run that left it still runs.
    void leftovers() {
        test::write(src("s"), "new");
        const QString tag =
            QCryptographicHash::hash("s", QCryptographicHash::Sha1).toHex().left(16);
        test::write(dst(".twk-staged-" + tag + "-999999-0000abcd"), "dead run");
        const QString alive = ".twk-staged-" + tag + QStringLiteral("-%1-0000abcd").arg(::getpid());
        test::write(dst(alive), "running");
        test::write(dst(".twk-old-" + tag + "-999999-00000001/x"), "dead run");
        test::write(dst(".twk-old-" +
                        QCryptographicHash::hash("t", QCryptographicHash::Sha1).toHex().left(16) +
                        "-999999-1"),
                    "another script's");
        QVERIFY(install("s").installed());
        QCOMPARE(debris().size(), 2);
        QVERIFY(debris().contains(alive));
        QCOMPARE(logged.filter("left the copy it replaced as"), QStringList()); // put back
        // A run that ended after its swap left the old copy under its swap name, one that
        // moved it aside under its aside name: each is judged by its content. What is
        // installed goes; the user's work goes to the Trash, never deleted unread.
        const QString trash = environment::dataHome() + "/Trash/files";
        QDir(trash).removeRecursively();
        test::write(dst(".twk-swap-" + tag + "-999999-1"), "edited");
        test::write(dst(".twk-swap-" + tag + "-999999-2"), "new");
        test::write(dst(".twk-old-" + tag + "-999999-3"), "edited too");
        test::write(dst(".twk-staged-" + tag + "-999999-4.999999-5"), "a merge being written");
        QCOMPARE(install("s", EditChoice::Keep).done, ScriptOutcome::Done::UpToDate);
        QCOMPARE(debris().size(), 2);
        QCOMPARE(test::tree(trash).values(), (QByteArrayList{"edited", "edited too"}));
    }

    // Mount points, full and foreign file systems (as root: a folder bind-mounted on a script, a
    // tmpfs on the user scripts folder): the old copy cannot be swapped, the copy cannot be made,
    // or the old copy cannot go to the Trash; in every case it stays.
    void fullAndForeignFileSystems() {
        if (::geteuid() != 0)
            QSKIP("mounting a small file system needs root");
        test::write(src("mounted/a"), "new");
        test::write(dir_.filePath("bound/a"), "bound");
        QDir().mkpath(dst("mounted"));
        QCOMPARE(QProcess::execute("mount", {"--bind", dir_.filePath("bound"), dst("mounted")}), 0);
        auto unbind = qScopeGuard([&] { QProcess::execute("umount", {dst("mounted")}); });
        QCOMPARE(install("mounted").status.description(),
                 "cannot replace \"" + dst("mounted") + "\": " + posix::errorText(EBUSY));
        QCOMPARE(test::read(dst("mounted/a")), QByteArray("bound"));
        QVERIFY(QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=256k", "tmpfs", dst_}) == 0);
        auto unmount = qScopeGuard([&] { QProcess::execute("umount", {dst_}); });
        test::write(src("big"), QByteArray(512 * 1024, 'b'));
        test::write(dst("big"), "old");
        const ScriptOutcome full = install("big");
        QCOMPARE(full.status.error(), ENOSPC);
        QCOMPARE(test::read(dst("big")), QByteArray("old"));
        QCOMPARE(debris(), QStringList());
        QFile::rename(src("big"), src("fresh")); // read while it is copied: the same refusal
        QCOMPARE(install("fresh").status.error(), ENOSPC);
        QVERIFY(!QFileInfo::exists(dst("fresh")) && debris().isEmpty());
        // The Trash lies on another file system: the differing copy cannot go there, so it stays.
        test::write(src("small"), "new");
        test::write(dst("small"), "edited");
        const ScriptOutcome foreign = install("small");
        QVERIFY2(foreign.status.description().endsWith(": the Trash is on another file system"),
                 qPrintable(foreign.status.description()));
        QCOMPARE(test::read(dst("small")), QByteArray("edited"));
        QCOMPARE(debris() + test::entries(environment::dataHome() + "/Trash/info"), QStringList());
        QVERIFY(logged.last().startsWith("error deleting: "));
    }

    // Three-way merges of a text: the merged text, and each conflict's lines from both sides
    // ("yours|theirs", lines joined by "/"), never confused by a script's own marker-like lines.
    void threeWayMerge_data() {
        // clang-format off
        QTest::addColumn<QByteArray>("base");
        QTest::addColumn<QByteArray>("yours");
        QTest::addColumn<QByteArray>("theirs");
        QTest::addColumn<QByteArray>("merged");
        QTest::addColumn<QStringList>("conflicts");
        const QByteArray lines = "a\nb\nc\nd\ne\nf\n";
        QTest::newRow("each side its own lines") << lines << QByteArray("A\nb\nc\nd\ne\nf\n") << QByteArray("a\nb\nc\nd\ne\nF\n") << QByteArray("A\nb\nc\nd\ne\nF\n") << QStringList();
        QTest::newRow("the same change") << lines << QByteArray("a\nB\nc\nd\ne\nf\n") << QByteArray("a\nB\nc\nd\ne\nf\n") << QByteArray("a\nB\nc\nd\ne\nf\n") << QStringList();
        QTest::newRow("a collision") << lines << QByteArray("a\nb\nc\nd\ne\nmine\n") << QByteArray("a\nb\nc\nd\ne\nnew\n") << QByteArray("a\nb\nc\nd\ne\n<<<<<<< yours\nmine\n=======\nnew\n>>>>>>> Tarnwick's\n") << QStringList{"mine|new"};
        QTest::newRow("marker-like lines") << lines << QByteArray("a\nb\nc\nd\ne\n=======\n>>>>>>> x\n") << QByteArray("a\nb\nc\nd\ne\nnew\n") << QByteArray("a\nb\nc\nd\ne\n<<<<<<<< yours\n=======\n>>>>>>> x\n========\nnew\n>>>>>>>> Tarnwick's\n") << QStringList{"=======/>>>>>>> x|new"};
        QTest::newRow("your CR LF against Tarnwick's LF") << lines << QByteArray("A\r\nb\r\nc\r\nd\r\ne\r\nf\r\n") << QByteArray("a\nb\nc\nd\ne\nF\n") << QByteArray("A\r\nb\r\nc\r\nd\r\ne\r\nF\r\n") << QStringList();
        // clang-format on
    }
    void threeWayMerge() {
        QFETCH(QByteArray, base);
        QFETCH(QByteArray, yours);
        QFETCH(QByteArray, theirs);
        QFETCH(QByteArray, merged);
        QFETCH(QStringList, conflicts);
        const auto merge = mergeTexts(base, yours, theirs);
        QVERIFY(merge.ok());
        QCOMPARE(merge->merged, merged);
        QStringList found;
        for (const MergeConflict& conflict : merge->conflicts)
            found.append(QString::fromUtf8(QByteArrayList(conflict.yours).join('/') + '|' +
                                           QByteArrayList(conflict.theirs).join('/')));
        QCOMPARE(found, conflicts);
        QCOMPARE(merge->isClean(), conflicts.isEmpty());
    }

    // Items finished on several threads reach the callback once each and one at a time, all
    // of them by the time the last finisher returns; and a thread whose item comes in while
    // another is handing items over does not wait for it: that one hands it over too.
    void handover() {
        for (int round = 0; round < 20; ++round) {
            constexpr size_t Count = 4000;
            std::vector<int> delivered(Count, 0);
            std::atomic<int> inside{0};
            std::atomic<bool> overlapped{false};
            Handover handover(Count, [&](size_t i) {
                if (inside.fetch_add(1) != 0)
                    overlapped = true;
                ++delivered[i];
                inside.fetch_sub(1);
            });
            runOnThreads(Count, 4, [&](size_t i) { handover.finished(i); });
            QVERIFY(!overlapped);
            QCOMPARE(std::count(delivered.begin(), delivered.end(), 1), qsizetype(Count));
        }
        std::mutex mutex;
        std::condition_variable changed;
        bool secondReturned = false;
        std::vector<std::thread::id> deliveredBy;
        Handover handover(2, [&](size_t i) {
            std::unique_lock lock(mutex);
            deliveredBy.push_back(std::this_thread::get_id());
            if (i == 0) // held up until the other item's finisher has returned
                changed.wait_for(lock, std::chrono::seconds(5), [&] { return secondReturned; });
        });
        auto first = std::async(std::launch::async, [&] { handover.finished(0); });
        QTRY_COMPARE(([&] {
                         const std::lock_guard lock(mutex);
                         return deliveredBy.size();
                     }()),
                     size_t(1));
        handover.finished(1);
        {
            const std::lock_guard lock(mutex);
            secondReturned = true;
            QCOMPARE(deliveredBy.size(), size_t(1)); // left for the thread handing over
        }
        changed.notify_all();
        first.get();
        QCOMPARE(deliveredBy.size(), size_t(2));
        QCOMPARE(deliveredBy[1], deliveredBy[0]);
    }

    void details() {
        test::write(src("text.sh"),
                    "#!/bin/sh\necho \x1b[31mred\n" + QByteArray(30, '\n') + "tail");
        test::write(src("binary"), QByteArray::fromHex("7f454c460001"));
        test::write(src("folder/a"), "12345");
        test::write(src("folder/b/c"), "1");
        QFile::link("text.sh", src("link"));
        const ScriptDetails text = scriptDetails(places(), "text.sh");
        QCOMPARE(text.measure.kind, ItemKind::File);
        QCOMPARE(text.state, ScriptState::NotInstalled);
        QCOMPARE(text.firstLines.split(u'\n').size(), PreviewLines + 1);
        QVERIFY(text.firstLines.startsWith("#!/bin/sh\necho \\u001B[31mred\n") &&
                text.firstLines.endsWith(u"…"));
        QVERIFY(scriptDetails(places(), "binary").firstLines.isEmpty());
        test::write(dst("folder/a"), "other");
        const ScriptDetails folder = scriptDetails(places(), "folder");
        QCOMPARE(folder.measure.files, 2);
        QCOMPARE(folder.measure.bytes, 6);
        QCOMPARE(folder.state, ScriptState::Different);
        QCOMPARE(scriptDetails(places(), "link").measure.linkTarget, std::string("text.sh"));
    }
};

TWK_TEST_MAIN(TestFiles)
#include "test_files.moc"
