#include "installer/UIManager.h"

#include "installer/BulkInstallRoad.h"
#include "installer/DifferencesRoad.h"
#include "installer/InstallNamedRoad.h"
#include "installer/Messages.h"
#include "installer/RemovalRoad.h"
#include "installer/ScriptFolders.h"
#include "installer/Sheets.h"
#include "installer/files/ScriptInstall.h"
#include "platform/Workspace.h"
#include "support/strings/MessageAttributes.h"

namespace twk::installer {

UIManager::UIManager(QObject* parent) : QObject(parent) {
    pool_.setMaxThreadCount(2);
}

UIManager::~UIManager() {
    pool_.waitForDone();
}

std::optional<QString> UIManager::scriptDir() const {
    return sourceScriptsFolder();
}

QString UIManager::userScriptDirectory() const {
    return userScriptsFolder();
}

void UIManager::showScripts(QObject*) {
    const auto folder = scriptDir();
    if (!folder) {
        platform::beginSheetModalForWindow(
            noticeAlert(Messages::tr("Tarnwick not found"),
                        Messages::tr("The Tarnwick application could not be found, so there is "
                                     "no scripts folder to show.")),
            mainWindow_);
        return;
    }
    (void)platform::openFile(*folder); // logged; a folder that is not there shows nothing
}

void UIManager::showUserScriptDirectory(QObject*) {
    (void)platform::openFile(userScriptDirectory()); // logged
}

bool UIManager::installScript(const QString& sourcePath) {
    const files::ScriptOutcome outcome =
        files::installScript(sourcePath, userScriptDirectory(), stateFolder());
    Q_EMIT scriptsChanged({outcome.name});
    return outcome.installed();
}

template <typename R, typename... Args> R* UIManager::take(Args&&... args) {
    auto road = std::make_unique<R>(std::forward<Args>(args)...);
    R* taken = road.get();
    connect(taken, &Road::scriptsChanged, this, &UIManager::scriptsChanged);
    connect(taken, &Road::statusMessage, this, &UIManager::statusMessage);
    enqueue(std::move(road));
    return taken;
}

void UIManager::installAllScripts(QObject*) {
    auto* road = take<BulkInstallRoad>();
    connect(road, &BulkInstallRoad::progress, this, &UIManager::bulkInstallProgress);
}

void UIManager::installScriptNamed(const QByteArray& name) {
    take<InstallNamedRoad>(name);
}

void UIManager::removeScriptNamed(const QByteArray& name) {
    take<RemovalRoad>(name);
}

void UIManager::showDifferences(const QByteArray& name) {
    take<DifferencesRoad>(name);
}

bool UIManager::handleURL(const std::optional<platform::Url>& url) {
    if (!url || url->scheme().toLower() != QLatin1String(InstallRequestScheme))
        return false;
    if (mainWindow_ && mainWindow_->isVisible()) {
        mainWindow_->raise();
        mainWindow_->activateWindow();
    }
    const auto attributes =
        strings::attributesFromMessageWithLowercaseKey(url->absoluteString(), true, false);
    const QString* script = attributes ? attributes->find(u"script") : nullptr;
    auto* road = take<RequestRoad>(script ? std::optional(*script) : std::nullopt);
    connect(road, &RequestRoad::handled, this, &UIManager::requestHandled);
    return true;
}

void UIManager::showErrorAndReturnToTWK(const QString& text) {
    showErrorAndReturnToTarnwick(mainWindow_, text);
}

void UIManager::openTWK() {
    openTarnwick();
}

void UIManager::enqueue(std::unique_ptr<Road> road) {
    waiting_.push_back(std::move(road));
    if (!running_)
        runNext();
}

void UIManager::runNext() {
    if (running_)
        return;
    if (waiting_.empty()) {
        Q_EMIT idle();
        return;
    }
    running_ = std::move(waiting_.front());
    waiting_.pop_front();
    connect(running_.get(), &Road::finished, this, [this] {
        running_.release()->deleteLater();
        // From the event loop, so that thousands of quick roads never nest.
        QMetaObject::invokeMethod(this, &UIManager::runNext, Qt::QueuedConnection);
    });
    running_->start({mainWindow_, &pool_});
}

} // namespace twk::installer
