#include "platform/qt/PrintSubmission.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace dravelo::platform::qt {

namespace {

// The print program: beside the program in a build folder, in the
// library folder once installed.
QString printProgramPath()
{
    const QDir here(QCoreApplication::applicationDirPath());
    for (const char* folder : {".", DRAVELO_PRINT_PROGRAM_DIR}) {
        const QString path = QDir::cleanPath(here.filePath(QString::fromUtf8(folder) + '/' + cups::kPrintProgram));
        if (QFileInfo(path).isExecutable())
            return path;
    }
    return {};
}

// The rest of a line after its first word.
std::string argumentOf(const QByteArray& line)
{
    const qsizetype blank = line.indexOf(' ');
    return blank < 0 ? std::string() : line.mid(blank + 1).toStdString();
}

} // namespace

PrintSubmission::PrintSubmission()
{
    const QString program = printProgramPath();
    if (program.isEmpty()) {
        missing_ = true;
        return;
    }
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(program, {});
}

PrintSubmission::~PrintSubmission()
{
    if (process_.state() != QProcess::NotRunning)
        stop();
}

void PrintSubmission::readLines()
{
    while (process_.canReadLine()) {
        const QByteArray line = process_.readLine().chopped(1);
        const QByteArray keyword = line.split(' ').first();
        if (keyword == cups::kServerLine) {
            place_.server = argumentOf(line);
        } else if (keyword == cups::kPrinterLine) {
            place_.printer = argumentOf(line);
        } else if (keyword == cups::kPageLine) {
            const QList<QByteArray> n = line.split(' ');
            if (n.size() == 8)
                page_ = {n[1].toInt(), n[2].toInt(), n[3].toInt(), n[4].toInt(),
                         n[5].toInt(), n[6].toInt(), n[7].toInt()};
        } else if (keyword == cups::kReadyLine) {
            ready_ = true;
        } else if (keyword == cups::kSendingLine) {
            sending_ = true;
        } else if (keyword == cups::kDoneLine) {
            done_ = true;
        } else if (keyword == cups::kFailedLine) {
            const QList<QByteArray> words = line.split(' ');
            const int cause = words.size() > 1 ? words[1].toInt() : 0;
            const bool known = cause > 0 && cause <= static_cast<int>(PrintFailure::NoPrintProgram);
            told_ = known ? static_cast<PrintFailure>(cause) : PrintFailure::Incomplete;
            if (told_ == PrintFailure::DefaultGone)
                place_.printer = argumentOf(line.mid(line.indexOf(' ') + 1));
        }
    }
}

bool PrintSubmission::over()
{
    readLines();
    return missing_ || done_ || told_ != PrintFailure::None || process_.state() == QProcess::NotRunning;
}

bool PrintSubmission::readyOrOver()
{
    return over() || ready_;
}

void PrintSubmission::send(const QByteArray& pdf)
{
    process_.write(QByteArray::number(pdf.size()) + '\n' + pdf);
    process_.closeWriteChannel();
}

void PrintSubmission::stop()
{
    stopped_ = true;
    process_.kill();
    process_.waitForFinished();
    // What it said before it ended still counts.
    readLines();
}

PrintFailure PrintSubmission::failure() const
{
    if (missing_ || process_.error() == QProcess::FailedToStart)
        return PrintFailure::NoPrintProgram;
    if (done_)
        return PrintFailure::None;
    if (told_ != PrintFailure::None)
        return told_;
    if (!stopped_ && process_.state() != QProcess::NotRunning)
        return PrintFailure::None;
    // Ended or gone without a word: once the whole job went out the server
    // may print it, and the user must not be invited to print it again.
    if (sending_)
        return PrintFailure::Unconfirmed;
    return stopped_ ? PrintFailure::NoAnswer : PrintFailure::Incomplete;
}

} // namespace dravelo::platform::qt
