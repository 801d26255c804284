#pragma once

// An install request from Tarnwick: the named script looked up, the confirmation (unless the
// user chose not to be asked), the copy, and control handed back to Tarnwick, with the error
// sheet for a request that names no script, an invalid or missing one, or is declined. The
// confirmation's details show how an installed copy differs; when the user and Tarnwick both
// changed it, a third button merges both (or saves a merge with conflicts).

#include "installer/Road.h"
#include "installer/files/ScriptDetails.h"
#include "installer/files/ScriptInstall.h"

#include <functional>
#include <optional>

namespace twk::installer {

inline constexpr char InstallRequestScheme[] = "twkscriptinstall";
inline constexpr char ReturnToTarnwickUrl[] = "twkrelaunch://openFromScriptInstaller";
inline constexpr char DontAskToInstallKey[] = "QZ_DontAskToInstall";

// How an install request ended.
enum class RequestOutcome {
    NoScript,
    InvalidName,
    NotFound,
    Installed,
    NotInstalled,
    Declined,
    MergeSaved, // not installed: the merge with its conflicts was saved to finish by hand
};

class RequestRoad : public Road {
    Q_OBJECT
public:
    // The request's "script" attribute as decoded; absent when it had none.
    explicit RequestRoad(std::optional<QString> scriptName) : scriptName_(std::move(scriptName)) {}

Q_SIGNALS:
    // The request ended, its sheets answered.
    void handled(const QString& scriptName, twk::installer::RequestOutcome outcome);

protected:
    void run() override;

private:
    struct Looked;
    void confirm(const QByteArray& name, const Looked& looked);
    void saveMerge(const QByteArray& name);
    void install(const QByteArray& name, bool confirmed, files::EditChoice edits);
    void fail(const QString& text, RequestOutcome outcome, const QString& details = {});
    void end(RequestOutcome outcome);

    std::optional<QString> scriptName_;
};

// Hands control back to Tarnwick: opens "twkrelaunch://openFromScriptInstaller".
void openTarnwick();

// The error sheet of requests: "Doh!" with the text as it stands; once it is answered,
// Tarnwick gets control back, then `then` runs.
void showErrorAndReturnToTarnwick(QWidget* window, const QString& text,
                                  std::function<void()> then = {}, const QString& details = {});

} // namespace twk::installer
