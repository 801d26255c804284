#include "installer/files/ScriptDetails.h"

#include "support/text/Conversions.h"
#include "support/text/DisplayText.h"

#include <QList>

#include <fcntl.h>
#include <unistd.h>

namespace twk::files {
namespace {

// The first lines of a text file; empty for a file that holds a NUL byte.
QString firstLinesOf(int folder, const std::string& name) {
    const Fd file(::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid())
        return {};
    QByteArray bytes(PreviewBytes, '\0');
    const ssize_t n = ::read(file.get(), bytes.data(), size_t(bytes.size()));
    if (n <= 0)
        return {};
    bytes.truncate(n);
    if (bytes.contains('\0'))
        return {};
    QList<QByteArray> lines = bytes.split('\n');
    const bool cut = lines.size() > PreviewLines || n == PreviewBytes;
    if (lines.size() > PreviewLines)
        lines.resize(PreviewLines);
    QString text = text::visibleLines(text::fromNativeBytes(lines.join('\n')));
    if (cut)
        text += QStringLiteral("\n…");
    return text;
}

} // namespace

ScriptDetails scriptDetails(const ScriptPlaces& places, const QByteArray& name) {
    ScriptDetails details;
    const std::string entry = name.toStdString();
    const Fd source =
        places.source ? openFolderPath(text::toNativeBytes(*places.source).toStdString()) : Fd();
    if (!source.valid())
        return details;
    details.measure = measureItem(source.get(), entry);
    CatalogFolders folders(places, false);
    details.state = folders.entry(entry).state;
    (void)folders.learn(); // logged once; the details stand without it
    if (details.measure.kind == ItemKind::File)
        details.firstLines = firstLinesOf(source.get(), entry);
    return details;
}

} // namespace twk::files
