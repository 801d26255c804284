#include "support/posix/Status.h"

#include "support/text/Conversions.h"

#include <QCoreApplication>

#include <cstring>

namespace twk::posix {

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString Status::reason() const {
    return reason_.isEmpty() ? errorText(error_) : reason_;
}

QString Status::description() const {
    if (ok())
        return {};
    if (path_.empty())
        return reason();
    const QString where =
        text::fromNativeBytes(QByteArrayView(path_.data(), qsizetype(path_.size())));
    const QString why = reason();
    auto line = [&](const char* text) {
        return QCoreApplication::translate("Status", text).arg(where, why);
    };
    switch (step_) {
    case Step::Opening:
        return line(QT_TRANSLATE_NOOP("Status", "cannot open \"%1\": %2"));
    case Step::Reading:
        return line(QT_TRANSLATE_NOOP("Status", "cannot read \"%1\": %2"));
    case Step::Writing:
        return line(QT_TRANSLATE_NOOP("Status", "cannot write \"%1\": %2"));
    case Step::Locking:
        return line(QT_TRANSLATE_NOOP("Status", "cannot lock \"%1\": %2"));
    case Step::Listing:
        return line(QT_TRANSLATE_NOOP("Status", "cannot list \"%1\": %2"));
    case Step::Resolving:
        return line(QT_TRANSLATE_NOOP("Status", "cannot find \"%1\": %2"));
    case Step::Copying:
        return line(QT_TRANSLATE_NOOP("Status", "cannot copy \"%1\": %2"));
    case Step::Flushing:
        return line(QT_TRANSLATE_NOOP("Status", "cannot write \"%1\" out to disk: %2"));
    case Step::Replacing:
        return line(QT_TRANSLATE_NOOP("Status", "cannot replace \"%1\": %2"));
    case Step::Trashing:
        return line(QT_TRANSLATE_NOOP("Status", "cannot move \"%1\" to the Trash: %2"));
    case Step::Removing:
        return line(QT_TRANSLATE_NOOP("Status", "cannot remove \"%1\": %2"));
    }
    return {};
}

} // namespace twk::posix
