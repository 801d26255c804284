#include "installer/files/ScriptVersions.h"

#include "installer/files/TextDiff.h"
#include "support/text/Conversions.h"

#include <cerrno>

namespace twk::files {
namespace {

// One copy's leaves, and its content digest.
Status readCopy(int folder, const std::string& name, ItemKind& kind, Digest& content,
                std::map<std::string, LeafVersions>& leaves,
                std::optional<LeafVersion> LeafVersions::*side) {
    if (folder < 0)
        return Status(Step::Reading, ENOENT);
    const auto st = statAt(folder, name);
    if (!st.ok())
        return st.status();
    kind = kindOf(st->st_mode);
    const auto digest = contentDigest(folder, name, [&](const Leaf& leaf) {
        LeafVersion version{leaf.digest, leaf.st.st_mode, leaf.bytes != nullptr};
        if (leaf.bytes)
            version.bytes = *leaf.bytes;
        if (S_ISLNK(leaf.st.st_mode))
            version.target = *leaf.target;
        leaves[leaf.relative].*side = std::move(version);
    });
    if (!digest.ok())
        return digest.status();
    content = *digest;
    return {};
}

} // namespace

bool LeafVersion::isText() const {
    return held && files::isText(bytes);
}

std::string nativePath(const QString& path) {
    return text::toNativeBytes(path).toStdString();
}

Expected<ScriptVersions> readVersions(int sourceFolder, int userFolder, const std::string& name,
                                      const RecordEntry* recorded) {
    ScriptVersions versions;
    if (Status read = readCopy(userFolder, name, versions.yoursKind, versions.yoursContent,
                               versions.leaves, &LeafVersions::yours);
        !read.ok())
        return read;
    if (Status read = readCopy(sourceFolder, name, versions.theirsKind, versions.theirsContent,
                               versions.leaves, &LeafVersions::theirs);
        !read.ok())
        return read;
    if (recorded && !recorded->files.empty()) {
        versions.hasBase = true;
        for (const auto& [relative, digest] : recorded->files)
            versions.leaves[relative].base = digest;
    }
    return versions;
}

Expected<ScriptVersions> readVersions(const ScriptPlaces& places, const QByteArray& name) {
    const Fd source = places.source ? openFolderPath(nativePath(*places.source)) : Fd();
    const Fd user = openFolderPath(nativePath(places.user));
    const InstallRecord record = InstallRecord::read(nativePath(places.state));
    return readVersions(source.valid() ? source.get() : -1, user.valid() ? user.get() : -1,
                        name.toStdString(), record.find(name));
}

} // namespace twk::files
