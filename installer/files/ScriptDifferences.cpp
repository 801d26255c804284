#include "installer/files/ScriptDifferences.h"

#include "installer/files/BaseStore.h"

namespace twk::files {
namespace {

using Content = FileDifference::Content;

Content contentOf(const LeafVersion& version) {
    if (!version.isFile())
        return Content::Other;
    if (version.isTooLarge())
        return Content::TooLarge;
    return version.isText() ? Content::Text : Content::Binary;
}

// The worst of both: a text only when both are.
Content contentOf(const LeafVersions& versions) {
    const Content yours = versions.yours ? contentOf(*versions.yours) : Content::Text;
    const Content theirs = versions.theirs ? contentOf(*versions.theirs) : Content::Text;
    return std::max(yours, theirs);
}

// A diff that could not be made is shown as none rather than hiding the others.
TextDiff diffOrNothing(const QByteArray& before, const QByteArray& after) {
    return diffTexts(before, after).value_or({});
}

} // namespace

ScriptDifferences differencesOf(const ScriptVersions& versions, const ScriptPlaces& places) {
    ScriptDifferences differences;
    differences.folder =
        versions.yoursKind == ItemKind::Folder || versions.theirsKind == ItemKind::Folder;
    differences.hasBase = versions.hasBase;
    const BaseStore bases(nativePath(places.state)); // one index of the packs for every file
    for (const auto& [path, leaf] : versions.leaves) {
        if (!leaf.yours && !leaf.theirs)
            continue; // installed once, gone from both
        FileDifference file{path};
        file.change = !leaf.yours    ? FileDifference::Change::OnlyTheirs
                      : !leaf.theirs ? FileDifference::Change::OnlyYours
                                     : FileDifference::Change::Changed;
        if (leaf.yours && leaf.theirs) {
            // A file script's own mode is not its content; a file's in a folder is.
            file.executableDiffers =
                !path.empty() && ((leaf.yours->mode ^ leaf.theirs->mode) & S_IXUSR) != 0;
            if (leaf.yours->digest == leaf.theirs->digest && !file.executableDiffers)
                continue;
        }
        file.content = contentOf(leaf);
        if (file.content == Content::Text) {
            const QByteArray yours = leaf.yours ? leaf.yours->bytes : QByteArray();
            const QByteArray theirs = leaf.theirs ? leaf.theirs->bytes : QByteArray();
            file.between = diffOrNothing(yours, theirs);
            const auto base = leaf.base ? bases.text(*leaf.base)
                                        : Expected<QByteArray>(Status(Step::Reading, ENOENT));
            if (base.ok()) {
                file.yourChanges = diffOrNothing(*base, yours);
                file.theirChanges = diffOrNothing(*base, theirs);
            }
        }
        differences.files.push_back(std::move(file));
    }
    return differences;
}

Expected<ScriptDifferences> scriptDifferences(const ScriptPlaces& places, const QByteArray& name) {
    const auto versions = readVersions(places, name);
    if (!versions.ok())
        return versions.status();
    return differencesOf(*versions, places);
}

} // namespace twk::files
