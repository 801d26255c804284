#include "installer/DifferencesRoad.h"

#include "installer/Messages.h"
#include "installer/ScriptFolders.h"
#include "installer/Sheets.h"
#include "installer/files/ScriptDifferences.h"
#include "platform/DifferencesView.h"
#include "support/text/Conversions.h"

namespace twk::installer {

void DifferencesRoad::run() {
    inBackground(
        [name = name_]() -> posix::Expected<platform::DiffViewLines> {
            const auto differences = files::scriptDifferences(scriptPlaces(), name);
            if (!differences.ok())
                return differences.status();
            return Messages::differenceLines(name, *differences);
        },
        [this](const posix::Expected<platform::DiffViewLines>& lines) {
            if (!lines.ok()) {
                showSheetThenFinish(noticeAlert(
                    Messages::tr("No differences to show"),
                    Messages::noDifferences(text::fromNativeBytes(name_), lines.status())));
                return;
            }
            platform::showDifferences(window(), Messages::differencesTitle(name_), *lines,
                                      [this] { finish(); });
        });
}

} // namespace twk::installer
