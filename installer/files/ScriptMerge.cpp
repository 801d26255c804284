#include "installer/files/ScriptMerge.h"

#include "installer/files/StagedInstaller.h"
#include "support/posix/Io.h"
#include "support/posix/MakeFolders.h"
#include "support/text/Conversions.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace twk::files {
namespace {

using Take = LeafMerge::Take;

// Whether the leaf is as it was installed (absent where nothing was installed).
bool asInstalled(const std::optional<LeafVersion>& version, const std::optional<Digest>& base) {
    return version ? base && version->digest == *base : !base;
}

std::string temporaryName(const char* prefix) {
    char name[48];
    std::snprintf(name, sizeof name, "%s%d-%08x", prefix, int(::getpid()),
                  QRandomGenerator::global()->generate());
    return name;
}

// Writes bytes as the file name of folder, in one rename over whatever had the name. Over a
// staged copy in the user scripts folder, the temporary file bears the staged copy's name, so
// that what a run that ends meanwhile leaves there is cleared with its staged copy.
Status writeFileAt(int folder, const std::string& name, const QByteArray& bytes, mode_t mode) {
    const std::string temporary =
        isStagingName(name) ? name + temporaryName(".") : temporaryName(".twk-merged-");
    Fd out(::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!out.valid())
        return Status(Step::Copying, errno);
    Status written = posix::writeAll(out.get(), bytes);
    if (written.ok() && (::fchmod(out.get(), mode & 07777) != 0 || ::close(out.release()) != 0))
        written = Status(Step::Copying, errno);
    if (written.ok() && ::renameat(folder, temporary.c_str(), folder, name.c_str()) != 0)
        written = Status(Step::Copying, errno);
    if (!written.ok())
        ::unlinkat(folder, temporary.c_str(), 0);
    return written;
}

// The folder a leaf lies in, below item of folder (created where missing, with create), and the
// leaf's name there. A file script's leaf lies in folder itself (then the Fd is not valid).
Status folderOfLeaf(int folder, const std::string& item, const std::string& path, bool create,
                    Fd& opened, std::string& leafName) {
    if (path.empty()) {
        leafName = item;
        return {};
    }
    opened = openFolderAt(folder, item);
    if (!opened.valid())
        return Status(Step::Copying, errno);
    size_t from = 1;
    for (size_t slash; (slash = path.find('/', from)) != std::string::npos; from = slash + 1) {
        const std::string part = path.substr(from, slash - from);
        if (create && ::mkdirat(opened.get(), part.c_str(), 0755) != 0 && errno != EEXIST)
            return Status(Step::Copying, errno);
        opened = openFolderAt(opened.get(), part);
        if (!opened.valid())
            return Status(Step::Copying, errno);
    }
    leafName = path.substr(from);
    return {};
}

Status applyLeaf(const LeafMerge& leaf, int folder, const std::string& item, int yoursFolder,
                 const std::string& yoursItem) {
    Fd at;
    std::string name;
    if (Status s = folderOfLeaf(folder, item, leaf.path, true, at, name); !s.ok())
        return s;
    const int in = at.valid() ? at.get() : folder;
    switch (leaf.take) {
    case Take::Theirs: {
        const auto st = statAt(in, name);
        if (leaf.yoursMode && st.ok() && S_ISREG(st->st_mode) &&
            ::fchmodat(in, name.c_str(), *leaf.yoursMode, 0) != 0)
            return Status(Step::Copying, errno);
        return {};
    }
    case Take::Remove:
        return removeItem(in, name, {});
    case Take::Merged:
    case Take::Conflict:
        return writeFileAt(in, name, leaf.merged, leaf.yoursMode.value_or(0644));
    case Take::Yours:
        break;
    }
    Fd from;
    std::string fromName;
    if (Status s = folderOfLeaf(yoursFolder, yoursItem, leaf.path, false, from, fromName); !s.ok())
        return s;
    if (Status removed = removeItem(in, name, {}); !removed.ok())
        return removed;
    return copyItem(from.valid() ? from.get() : yoursFolder, fromName, in, name, {});
}

// "name 2", or "name 2.ext" for a file with an extension.
std::string numbered(const std::string& name, int number, bool file) {
    const size_t dot = file ? name.rfind('.') : std::string::npos;
    const std::string suffix = ' ' + std::to_string(number);
    if (dot == std::string::npos || dot == 0)
        return name + suffix;
    return name.substr(0, dot) + suffix + name.substr(dot);
}

} // namespace

std::vector<std::pair<std::string, const MergeConflict*>> ScriptMerge::conflicts() const {
    std::vector<std::pair<std::string, const MergeConflict*>> all;
    for (const LeafMerge& leaf : leaves) {
        for (const MergeConflict& conflict : leaf.conflicts)
            all.emplace_back(leaf.path, &conflict);
    }
    return all;
}

Expected<ScriptMerge> planMerge(const ScriptVersions& versions, const BaseStore& store) {
    ScriptMerge merge;
    merge.yours = versions.yoursContent;
    merge.theirs = versions.theirsContent;
    auto impossible = [&merge](MergeObstacle obstacle, const std::string& path = {}) {
        merge.verdict = ScriptMerge::Verdict::Impossible;
        merge.obstacle = obstacle;
        merge.obstaclePath = path;
        merge.leaves.clear();
        return merge;
    };
    if (versions.yoursKind != versions.theirsKind)
        return impossible(MergeObstacle::KindsDiffer);
    if (!versions.hasBase)
        return impossible(MergeObstacle::NoBase);
    bool conflicts = false;
    for (const auto& [path, leaf] : versions.leaves) {
        const auto &yours = leaf.yours, &theirs = leaf.theirs;
        if (!yours && !theirs)
            continue;
        LeafMerge planned{path};
        if (yours && yours->isFile())
            planned.yoursMode = yours->mode & 07777;
        if ((yours && theirs && yours->digest == theirs->digest) || asInstalled(yours, leaf.base)) {
            planned.take = Take::Theirs;
        } else if (asInstalled(theirs, leaf.base)) {
            planned.take = yours ? Take::Yours : Take::Remove;
        } else {
            // Both changed it.
            if (!yours || !theirs)
                return impossible(MergeObstacle::RemovedAndChanged, path);
            if (!yours->isText() || !theirs->isText())
                return impossible(MergeObstacle::NotText, path);
            QByteArray base; // added by both: merged against nothing
            if (leaf.base) {
                auto kept = store.text(*leaf.base);
                if (!kept.ok())
                    return impossible(MergeObstacle::NoBase, path);
                base = std::move(*kept);
            }
            auto text = mergeTexts(base, yours->bytes, theirs->bytes);
            if (!text.ok())
                return text.status();
            planned.take = text->isClean() ? Take::Merged : Take::Conflict;
            planned.merged = std::move(text->merged);
            planned.conflicts = std::move(text->conflicts);
            conflicts = conflicts || planned.take == Take::Conflict;
        }
        merge.leaves.push_back(std::move(planned));
    }
    merge.verdict = conflicts ? ScriptMerge::Verdict::Conflicts : ScriptMerge::Verdict::Clean;
    return merge;
}

Expected<ScriptMerge> scriptMerge(const ScriptPlaces& places, const QByteArray& name) {
    const auto versions = readVersions(places, name);
    if (!versions.ok())
        return versions.status();
    return planMerge(*versions, BaseStore(nativePath(places.state)));
}

Status applyMerge(const ScriptMerge& merge, int folder, const std::string& item, int yoursFolder,
                  const std::string& yoursItem) {
    for (const LeafMerge& leaf : merge.leaves) {
        if (Status applied = applyLeaf(leaf, folder, item, yoursFolder, yoursItem); !applied.ok())
            return applied;
    }
    return {};
}

QString mergesFolder(const QString& userScriptsFolder) {
    return userScriptsFolder + QStringLiteral(" Merges");
}

Expected<QString> saveMergeWithConflicts(const ScriptPlaces& places, const QByteArray& name,
                                         const ScriptMerge& merge) {
    const std::string folderPath = nativePath(mergesFolder(places.user));
    const std::string sourceRoot = places.source ? nativePath(*places.source) : std::string();
    const std::string item = name.toStdString();
    if (Status made = posix::makeFolders(folderPath); !made.ok())
        return made;
    const Fd folder = openFolderPath(folderPath);
    const Fd source = openFolderPath(sourceRoot);
    const Fd user = openFolderPath(nativePath(places.user));
    if (!folder.valid() || !source.valid() || !user.valid())
        return Status(Step::Opening, errno, folderPath);
    const std::string temporary = temporaryName(".twk-merge-");
    Status made = copyItem(source.get(), item, folder.get(), temporary, sourceRoot);
    if (made.ok())
        made = applyMerge(merge, folder.get(), temporary, user.get(), item);
    const bool file = merge.leaves.size() == 1 && merge.leaves.front().path.empty();
    for (int number = 1; made.ok() && number < 1000; ++number) {
        const std::string saved = number == 1 ? item : numbered(item, number, file);
        if (renameNoReplace(folder.get(), temporary.c_str(), folder.get(), saved.c_str()) == 0)
            return mergesFolder(places.user) + u'/' +
                   text::fromNativeBytes(QByteArray::fromStdString(saved));
        if (errno != EEXIST)
            made = Status(Step::Copying, errno, folderPath + '/' + saved);
    }
    (void)removeItem(folder.get(), temporary, folderPath);
    return made.ok() ? Status(Step::Copying, EEXIST, folderPath) : made;
}

Expected<QString> saveMergeWithConflicts(const ScriptPlaces& places, const QByteArray& name) {
    const auto merge = scriptMerge(places, name);
    if (!merge.ok())
        return merge.status();
    return saveMergeWithConflicts(places, name, *merge);
}

} // namespace twk::files
