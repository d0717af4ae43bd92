// Saving the report on real disks through the Qt runtime's file output:
// the names, a replaced file, and the failures, each leaving an earlier
// report as it was and no partial file behind; a folder that stops
// answering is told within the limit, and the save given up on leaves
// nothing behind when the folder answers again.

#include "forms/Designs.h"
#include "platform/qt/QtRuntime.h"
#include "report/RapportoCalcolo.h"
#include "report/ReportFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

using dravelo::report::ComponiRapporto;
using dravelo::report::nomeFileRapporto;
using dravelo::report::RapportoCalcolo;
using dravelo::report::renderReport;
using dravelo::report::SalvaRapporto;

constexpr const char* kEarlier = "rapporto precedente\r\n";

RapportoCalcolo sampleReport()
{
    return ComponiRapporto({"Gasolio più pesante", "85,5", "12,5", "1", "0", "1", "10005,9", "07/12/2026", "10:11:12"});
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeEarlier(const QString& path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(kEarlier), qint64(qstrlen(kEarlier)));
}

bool runs(const QString& program, const QStringList& args)
{
    return QProcess::execute(program, args) == 0;
}

// Waits (bounded, 15 s) until the condition holds.
bool becomes(const std::function<bool()>& condition)
{
    QElapsedTimer waited;
    waited.start();
    while (!condition()) {
        if (waited.elapsed() > 15000)
            return false;
        QTest::qWait(50);
    }
    return true;
}

// The temporary files in the folder.
QStringList temporaries(const QString& folder)
{
    return QDir(folder).entryList({"~*"}, QDir::Files | QDir::Hidden);
}

} // namespace

class ReportDiskTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void savesUnderTheAnswerPlusTxt_data();
    void savesUnderTheAnswerPlusTxt();
    void replacesAnEarlierReport_data();
    void replacesAnEarlierReport();
    void failureKeepsTheEarlierReport_data();
    void failureKeepsTheEarlierReport();
    void folderThatDoesNotAnswer_data();
    void folderThatDoesNotAnswer();

private:
    std::string save(const std::string& fileName) { return SalvaRapporto(sampleReport(), fileName, *runtime_); }
    // Mounts a tmpfs of its own at dir; root only.
    bool mountTmpfs(const QString& dir, const QString& options);
    // Mounts at dir a folder that passes its calls through to backing,
    // except those that hold() names; root only.
    bool mountBlockingFolder(const QString& dir, const QString& backing);
    // The FUSE calls the blocking folder holds from now on, blank-separated.
    void hold(const QString& calls);

    std::unique_ptr<dravelo::platform::qt::QtRuntime> runtime_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString previousDir_;
    QStringList mounts_;
    QStringList immutable_;
    std::unique_ptr<QProcess> blockingFolder_;
    QString holdFile_;
};

void ReportDiskTest::init()
{
    runtime_ = std::make_unique<dravelo::platform::qt::QtRuntime>(dravelo::forms::allDesigns());
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    previousDir_ = QDir::currentPath();
    // The program writes relative to its current directory.
    QVERIFY(QDir::setCurrent(dir_->path()));
}

void ReportDiskTest::cleanup()
{
    QDir::setCurrent(previousDir_);
    if (!holdFile_.isEmpty())
        QFile::remove(holdFile_);
    for (const QString& d : immutable_)
        runs("chattr", {"-i", d});
    immutable_.clear();
    for (const QString& m : mounts_)
        runs("umount", {m});
    mounts_.clear();
    if (blockingFolder_ && !blockingFolder_->waitForFinished(5000))
        blockingFolder_->kill();
    blockingFolder_.reset();
    dir_.reset();
    runtime_.reset();
}

bool ReportDiskTest::mountTmpfs(const QString& dir, const QString& options)
{
    if (geteuid() != 0)
        return false;
    QDir().mkpath(dir);
    if (!runs("mount", {"-t", "tmpfs", "-o", options, "tmpfs", dir}))
        return false;
    mounts_.prepend(QDir::current().absoluteFilePath(dir));
    return true;
}

bool ReportDiskTest::mountBlockingFolder(const QString& dir, const QString& backing)
{
    if (geteuid() != 0 || !QFile::exists("/dev/fuse"))
        return false;
    QDir().mkpath(dir);
    QDir().mkpath(backing);
    holdFile_ = QDir::current().absoluteFilePath("hold");
    blockingFolder_ = std::make_unique<QProcess>();
    blockingFolder_->setProcessChannelMode(QProcess::ForwardedChannels);
    blockingFolder_->start(DRAVELO_BLOCKING_FOLDER, {backing, dir, holdFile_});
    if (!becomes([&] { return runs("mountpoint", {"-q", dir}) || blockingFolder_->state() == QProcess::NotRunning; }) ||
        blockingFolder_->state() == QProcess::NotRunning)
        return false;
    mounts_.prepend(QDir::current().absoluteFilePath(dir));
    return true;
}

void ReportDiskTest::hold(const QString& calls)
{
    QFile file(holdFile_);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(calls.toUtf8());
}

void ReportDiskTest::savesUnderTheAnswerPlusTxt_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("file");
    QTest::newRow("five letters") << "rapp5" << "rapp5.TXT";
    QTest::newRow("empty answer") << "" << ".TXT";
    QTest::newRow("extension already there") << "rapp.txt" << "rapp.txt.TXT";
    QTest::newRow("longer than eight") << "rapportodicalcolo" << "rapportodicalcolo.TXT";
    QTest::newRow("blanks kept") << " r " << " r .TXT";
    QTest::newRow("letters outside ascii") << "più" << "più.TXT";
}

void ReportDiskTest::savesUnderTheAnswerPlusTxt()
{
    QFETCH(QString, answer);
    QFETCH(QString, file);
    const std::string name = nomeFileRapporto(answer.toStdString());
    QCOMPARE(QString::fromStdString(save(name)), QString());
    QCOMPARE(QDir::current().entryList(QDir::Files | QDir::Hidden), QStringList{file});
    const QByteArray bytes = contents(file);
    QCOMPARE(bytes, QByteArray::fromStdString(renderReport(sampleReport())));
    QCOMPARE(bytes.count("\r\n"), 12);
    QVERIFY(bytes.endsWith("\r\n\r\n"));
    QVERIFY(bytes.contains("Gasolio pi\xF9 pesante"));
}

void ReportDiskTest::replacesAnEarlierReport_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("short name") << "rapp.TXT";
    // 254 bytes, one short of the limit: the temporary file's name must not
    // be longer.
    QTest::newRow("name at the limit") << QString(250, 'r') + ".TXT";
}

void ReportDiskTest::replacesAnEarlierReport()
{
    QFETCH(QString, file);
    writeEarlier(file);
    QCOMPARE(QString::fromStdString(save(file.toStdString())), QString());
    QCOMPARE(contents(file), QByteArray::fromStdString(renderReport(sampleReport())));
    QCOMPARE(QDir::current().entryList(QDir::Files | QDir::Hidden), QStringList{file});
}

void ReportDiskTest::failureKeepsTheEarlierReport_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("missing folder") << "missing";
    QTest::newRow("name too long") << "long";
    QTest::newRow("no permission") << "permission";
    QTest::newRow("read-only medium") << "readonly";
    QTest::newRow("full disk") << "full";
}

void ReportDiskTest::failureKeepsTheEarlierReport()
{
    QFETCH(QString, failure);
    QString folder = "cartella";
    QString name = "rapp";
    if (failure == "missing") {
        folder = "manca";
    } else if (failure == "long") {
        QVERIFY(QDir().mkdir(folder));
        name = QString(300, 'r');
    } else if (failure == "permission") {
        QVERIFY(QDir().mkdir(folder));
        writeEarlier(folder + "/rapp.TXT");
        if (geteuid() == 0) {
            // Root passes every permission bit: an immutable folder refuses it too.
            if (!runs("chattr", {"+i", folder}))
                QSKIP("the file system has no immutable flag");
            immutable_ << QDir::current().absoluteFilePath(folder);
        } else {
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        }
    } else if (failure == "readonly") {
        if (!mountTmpfs(folder, "size=1m"))
            QSKIP("mounting needs root");
        writeEarlier(folder + "/rapp.TXT");
        QVERIFY(runs("mount", {"-o", "remount,ro", folder}));
    } else if (failure == "full") {
        if (!mountTmpfs(folder, "size=64k"))
            QSKIP("mounting needs root");
        writeEarlier(folder + "/rapp.TXT");
        QFile filler(folder + "/riempitivo");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
    }
    const QStringList before = QDir(folder).entryList(QDir::Files | QDir::Hidden);

    const std::string path = (folder + "/" + name).toStdString() + ".TXT";
    const QString reason = QString::fromStdString(save(path));
    QVERIFY2(!reason.isEmpty(), "a failed save reported success");
    qInfo() << failure << "->" << reason;

    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), before);
    if (before.contains("rapp.TXT"))
        QCOMPARE(contents(folder + "/rapp.TXT"), QByteArray(kEarlier));
    QVERIFY(!QDir("manca").exists());
}

void ReportDiskTest::folderThatDoesNotAnswer_data()
{
    QTest::addColumn<QString>("held");
    // Every lookup and write: the program gives up before the move, and the
    // save, answered late, removes its temporary file.
    QTest::newRow("before the move") << "getattr write";
    // Only the move: the report was written whole and may still appear.
    QTest::newRow("during the move") << "rename";
}

// A share whose server went away: the save is told within the limit,
// naming the folder, while the event loop runs; nothing half-written is
// ever under the report's name, and no temporary file stays.
void ReportDiskTest::folderThatDoesNotAnswer()
{
    QFETCH(QString, held);
    if (!mountBlockingFolder("condivisa", "disco"))
        QSKIP("mounting a FUSE folder needs root, /dev/fuse and python3-fusepy");
    writeEarlier("disco/rapp.TXT");
    hold(held);
    bool eventLoopRan = false;
    QTimer::singleShot(1000, [&] { eventLoopRan = true; });

    QElapsedTimer waited;
    waited.start();
    const QString reason = QString::fromStdString(save("condivisa/rapp.TXT"));
    qInfo() << "told after" << waited.elapsed() << "ms:" << reason;
    QVERIFY(waited.elapsed() >= 9000 && waited.elapsed() < 30000);
    QVERIFY(eventLoopRan);
    QVERIFY2(reason.contains("\"" + QDir::current().absoluteFilePath("condivisa") + "\" non ha risposto"),
             qPrintable(reason));
    const bool moving = held == "rename";
    QCOMPARE(reason.contains("potrebbe comparire"), moving);
    QCOMPARE(contents("disco/rapp.TXT"), QByteArray(kEarlier));

    if (!moving) {
        // The lookups answer again: the save goes on to its temporary file,
        // short and beside the report, and waits on the write.
        hold("write");
        QVERIFY(becomes([] { return !temporaries("disco").isEmpty(); }));
        QVERIFY(temporaries("disco").first().size() <= 8);
    }
    hold("");
    const QByteArray expected = moving ? QByteArray::fromStdString(renderReport(sampleReport())) : QByteArray(kEarlier);
    QVERIFY(becomes([&] { return temporaries("disco").isEmpty() && contents("disco/rapp.TXT") == expected; }));
    QCOMPARE(QDir("disco").entryList(QDir::Files | QDir::Hidden), QStringList{"rapp.TXT"});
}

QTEST_MAIN(ReportDiskTest)
#include "ReportDiskTest.moc"
