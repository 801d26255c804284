#include "installer/files/ScriptAssessment.h"

#include <cerrno>

namespace twk::files {
namespace {

// One copy of a script: its stamp, and its content digest once known.
struct Copy {
    Stamp stamp;
    std::optional<Digest> digest;
    struct stat entry;
};

std::optional<Copy> look(int folder, const std::string& name) {
    if (folder < 0)
        return std::nullopt;
    Copy copy;
    auto stamp = stampOf(folder, name, &copy.entry);
    if (!stamp.ok())
        return std::nullopt;
    copy.stamp = *stamp;
    return copy;
}

// How often a copy that another process replaced while it was read is read again.
constexpr int ReadAttempts = 4;

// The copy's content: what the record says when its stamp vouches for the copy, else read.
// A copy replaced while it was read (another run putting its copy in place, or removing the
// one it swapped out) is looked at and read again; one that cannot be read has no digest,
// and equals nothing.
std::optional<Digest> contentOf(Copy& copy, int folder, const std::string& name,
                                const std::optional<Stamp>& recordedStamp,
                                const std::optional<Digest>& recordedContent,
                                const SourceReader& read = {}) {
    if (copy.digest)
        return copy.digest;
    if (recordedStamp && recordedStamp->vouchesFor(copy.stamp)) {
        copy.digest = recordedContent;
        return copy.digest;
    }
    for (int attempt = 0; attempt < ReadAttempts; ++attempt) {
        const auto digest = read ? read(folder, name) : contentDigest(folder, name);
        if (digest.ok()) {
            copy.digest = *digest;
            break;
        }
        const int error = digest.status().error();
        auto again = stampOf(folder, name, &copy.entry);
        if ((error != ESTALE && error != ENOENT) || !again.ok())
            break;
        copy.stamp = *again;
    }
    return copy.digest;
}

} // namespace

Assessment assessScript(int sourceFolder, int userFolder, const std::string& name,
                        const RecordEntry* recorded, const SourceReader& readSource) {
    Assessment result;
    const QByteArray key = QByteArray::fromStdString(name);
    auto source = look(sourceFolder, name);
    auto installed = look(userFolder, name);
    if (source) {
        result.kind = kindOf(source->stamp.mode);
        result.sourceStamp = source->stamp;
    }
    // As last looked at: a read that found a copy replaced has looked at it again.
    auto entries = [&] {
        if (source)
            result.sourceEntry = source->entry;
        if (installed)
            result.installedEntry = installed->entry;
    };
    if (!installed) {
        entries();
        // Removed outside the program: the record forgets it.
        if (recorded)
            result.changes.forget(key);
        result.listed = source.has_value();
        result.state = ScriptState::NotInstalled;
        return result;
    }
    if (!source) {
        entries();
        result.listed = recorded != nullptr;
        result.state = ScriptState::NoLongerShipped;
        return result;
    }
    result.listed = true;
    // A run that was putting a copy in place ended before it recorded it: the installed copy
    // holds either what was there before or what that run put there; both are the program's.
    RecordEntry settled;
    if (recorded && recorded->pending) {
        settled = *recorded;
        settled.pending.reset();
        if (contentOf(*installed, userFolder, name, recorded->installed, recorded->content) ==
            *recorded->pending) {
            settled.content = *recorded->pending;
            settled.source = Stamp();
            settled.files.clear();
        }
        result.changes.put(settled);
        recorded = &settled;
    }
    const auto recordedContent = recorded ? std::optional(recorded->content) : std::nullopt;
    const auto installedDigest =
        contentOf(*installed, userFolder, name,
                  recorded ? std::optional(recorded->installed) : std::nullopt, recordedContent);
    const auto sourceDigest = contentOf(*source, sourceFolder, name,
                                        recorded ? std::optional(recorded->source) : std::nullopt,
                                        recordedContent, readSource);
    entries();
    result.sourceDigest = sourceDigest;
    result.installedStamp = installed->stamp;
    result.installedDigest = installedDigest;
    const bool same = installedDigest && installedDigest == sourceDigest;
    // A copy equal to Tarnwick's is installed whatever the record says: the record learns it.
    if (same) {
        result.state = ScriptState::Installed;
        if (recorded && recorded->content == *sourceDigest &&
            recorded->installed.vouchesFor(installed->stamp) &&
            recorded->source.vouchesFor(source->stamp))
            return result; // the record knows it already
        // The bases stay while they are still what is installed.
        result.changes.put(
            {key, *sourceDigest, installed->stamp, source->stamp,
             recorded ? recorded->unknown : QCborMap(),
             recorded && recorded->content == *sourceDigest ? recorded->files : BaseFiles()});
        return result;
    }
    if (!recorded || !installedDigest || !sourceDigest) {
        result.state = ScriptState::Different;
        return result;
    }
    const bool edited = *installedDigest != recorded->content;
    const bool updated = *sourceDigest != recorded->content;
    result.state = edited && updated ? ScriptState::EditedAndUpdated
                   : edited          ? ScriptState::Edited
                                     : ScriptState::UpdateAvailable;
    // A stamp is refreshed only for a copy that still holds what was installed, and only when
    // the recorded one no longer vouches for it: scripts waiting for the user cost no write of
    // the record at every look.
    const bool refreshInstalled = !edited && !recorded->installed.vouchesFor(installed->stamp);
    const bool refreshSource = !updated && !recorded->source.vouchesFor(source->stamp);
    if (refreshInstalled || refreshSource) {
        RecordEntry refreshed = *recorded;
        if (refreshInstalled)
            refreshed.installed = installed->stamp;
        if (refreshSource)
            refreshed.source = source->stamp;
        result.changes.put(refreshed);
    }
    return result;
}

} // namespace twk::files
