#include "platform/qt/FileServices.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

namespace dravelo::platform::qt {

std::string writeFileAtomically(const std::string& path, const std::string& bytes)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString().toStdString();
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        return reason;
    }
    // QSaveFile::commit() of Qt 6.4 loses a failed final flush (a full disk)
    // and then replaces the earlier file with a short one: flush first.
    if (!file.flush()) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString().toStdString();
    return {};
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
