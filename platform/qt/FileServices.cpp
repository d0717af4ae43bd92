#include "platform/qt/FileServices.h"

#include "platform/FileSaving.h"
#include "platform/ServiceWait.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>

#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dravelo::platform::qt {

namespace {

// Tries with another temporary name while one is taken.
constexpr int kTemporaryNameAttempts = 32;
constexpr mode_t kPermissionBits = 0777;

std::string reasonOf(int error)
{
    return qt_error_string(error).toStdString();
}

// The path up to its last slash: the temporary file goes there.
std::string folderPart(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The full path of the folder, for the user, from the current directory as
// the kernel keeps it: a folder that does not answer is not asked.
std::string folderShown(const std::string& path)
{
    QString folder = QString::fromStdString(folderPart(path));
    if (!folder.startsWith('/')) {
        char current[PATH_MAX];
        folder.prepend(QString::fromLocal8Bit(getcwd(current, sizeof current) ? current : ".") + '/');
    }
    return QDir::cleanPath(folder).toStdString();
}

bool writeAll(int file, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(file, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    // A full disk or a lost server may show only now.
    return fsync(file) == 0;
}

// A new temporary file beside the target, under a name nobody else holds;
// -1 with errno set when there is none.
int createTemporary(const std::string& target, std::string& temporary)
{
    const std::string folder = folderPart(target);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = folder + temporaryFileName(target.size() - folder.size(), QRandomGenerator::global()->generate64());
        const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file >= 0 || errno != EEXIST)
            return file;
    }
    return -1;
}

// Runs on the saving thread, and may go on after the program gave up on
// it: it touches only what it owns. Not QSaveFile: its temporary name is
// the final name and seven characters more, so a name that fits within
// seven bytes of the file system's limit could not be saved. An earlier
// file keeps its permissions, as QSaveFile keeps them.
std::string saveBeside(const std::string& target, const std::string& bytes, SaveHandover& handover)
{
    struct stat earlier {};
    const bool replacing = stat(target.c_str(), &earlier) == 0 && S_ISREG(earlier.st_mode);
    std::string temporary;
    const int file = createTemporary(target, temporary);
    if (file < 0)
        return reasonOf(errno);
    if (replacing)
        fchmod(file, earlier.st_mode & kPermissionBits);
    bool whole = writeAll(file, bytes);
    int error = errno;
    if (close(file) != 0 && whole) {
        whole = false;
        error = errno;
    }
    if (whole && !handover.mayMoveIntoPlace()) {
        unlink(temporary.c_str());
        return kSaveCutShort;
    }
    if (whole && rename(temporary.c_str(), target.c_str()) == 0)
        return {};
    if (whole)
        error = errno;
    unlink(temporary.c_str());
    return reasonOf(error);
}

} // namespace

std::string writeFileAtomically(const std::string& path, const std::string& bytes, const ServiceWait& wait)
{
    const auto deadline = std::chrono::steady_clock::now() + kFolderAnswerLimit;
    auto handover = std::make_shared<SaveHandover>();
    BackgroundCall<std::string> save(
        [path, bytes, handover](const std::atomic<bool>&) { return saveBeside(path, bytes, *handover); });
    const ServiceWaitEnd end = wait([&] { return save.done(); }, deadline);
    if (end == ServiceWaitEnd::Done)
        return save.result();
    const bool moving = handover->giveUp();
    return end == ServiceWaitEnd::TimedOut ? folderNoAnswerText(folderShown(path), moving) : kSaveCutShort;
}

std::string firstFileMatching(const std::string& pattern)
{
    if (pattern.empty())
        return {};
    const QFileInfo info(QDir::fromNativeSeparators(QString::fromStdString(pattern)));
    if (info.fileName().isEmpty())
        return {};
    const QStringList names = QDir(info.path()).entryList({info.fileName()}, QDir::Files, QDir::Name);
    return names.isEmpty() ? std::string() : names.first().toStdString();
}

bool startProgram(const std::string& program)
{
    if (program.empty())
        return false;
    return QProcess::startDetached(QString::fromStdString(program), {});
}

} // namespace dravelo::platform::qt
