#pragma once

// Installing one item into a folder without ever losing what was there: the new copy is
// written beside the old one under a hidden staging name, flushed, and then swapped in with
// one atomic exchange (or, where the file system cannot exchange, moved in after the old
// one was moved aside). Whatever step fails, the old item stays as it was and the staged
// copy is removed. Symbolic links are copied as links and never followed.

#include <QString>

#include <optional>
#include <set>
#include <string>

namespace twk::installer {

struct InstallError {
    enum Step { Copying, Replacing } step;
    QString description;
};

// One item copied under its staging name and waiting to be put in place.
struct StagedItem {
    std::string name; // the entry name in the destination folder
    std::string stagedPath;
    std::string destinationPath;
};

class StagedInstaller {
public:
    explicit StagedInstaller(const QString& destinationFolder);
    ~StagedInstaller();
    StagedInstaller(const StagedInstaller&) = delete;
    StagedInstaller& operator=(const StagedInstaller&) = delete;

    // Copies the source (file, folder with everything in it, or link) beside its future
    // place, under the last component of the source path. The folder is never created.
    std::optional<InstallError> stage(const QString& sourcePath, StagedItem& staged);

    // Makes every staged byte durable: one flush of the destination's file system.
    void flush();

    // Puts a staged item in place. On success the old item is gone (a failure to remove it
    // afterwards is returned in cleanupError, the new item being in place all the same).
    std::optional<InstallError> commit(const StagedItem& staged,
                                       std::optional<QString>* cleanupError = nullptr);

    // Removes a staged copy that will not be committed.
    static void discard(const StagedItem& staged);

private:
    void removeLeftoversFor(const std::string& name);
    int folderFd(); // opened once, on first use

    std::string folder_;
    int folderFd_ = -1;
    bool leftoversScanned_ = false;
    std::set<std::string> leftovers_;
};

// stage + flush + commit for one item.
std::optional<InstallError> installItem(const QString& sourcePath, const QString& destinationFolder,
                                        std::optional<QString>* cleanupError = nullptr);

// Removes a file, link or whole folder without following links. Error text on failure.
std::optional<QString> removeItem(const std::string& path);

} // namespace twk::installer
