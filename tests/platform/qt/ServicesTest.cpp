// The runtime's plain services: the clock and the regional formats from the
// system locale, atomic file output, the file-existence test and starting
// a program.

#include "platform/qt/FileServices.h"
#include "platform/qt/RegionalFormats.h"
#include "tests/platform/qt/QtHarness.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace dravelo;
using namespace dravelo::testing;
namespace qt = dravelo::platform::qt;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool touch(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

} // namespace

class ServicesTest : public QObject {
    Q_OBJECT

private slots:
    void clockUsesTheRegionalFormats();
    void timeHasSecondsAndNoZone_data();
    void timeHasSecondsAndNoZone();
    void numberFormatFollowsTheLocale_data();
    void numberFormatFollowsTheLocale();
    void writeFileReplacesTheWholeFile();
    void writeFileReportsFailures();
    void firstMatchListsOrdinaryFiles_data();
    void firstMatchListsOrdinaryFiles();
    void launchStartsTheProgramWithoutAShell();
};

void ServicesTest::clockUsesTheRegionalFormats()
{
    QtHarness h;
    h.runtime.setFixedNow(QDateTime(QDate(2026, 12, 7), QTime(9, 5, 3)));
    QCOMPARE(h.runtime.dateText(), std::string("07/12/26"));
    QCOMPARE(h.runtime.timeText(), std::string("09:05:03"));
    // Without a fixed time: the system clock.
    h.runtime.setFixedNow(std::nullopt);
    const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    QCOMPARE(QString::fromStdString(h.runtime.dateText()), today);
}

void ServicesTest::timeHasSecondsAndNoZone_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Italian") << "it_IT" << "09:05:03";
    QTest::newRow("German") << "de_DE" << "09:05:03";
    QTest::newRow("C") << "C" << "09:05:03";
}

void ServicesTest::timeHasSecondsAndNoZone()
{
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QCOMPARE(qt::timeTextOf(QLocale(locale), QTime(9, 5, 3)), expected);
    // US English: 12-hour clock with its day-half mark, still no zone.
    const QString us = qt::timeTextOf(QLocale(QStringLiteral("en_US")), QTime(21, 5, 3));
    QVERIFY2(us.startsWith(QStringLiteral("9:05:03")) && us.endsWith(QStringLiteral("PM")), qPrintable(us));
}

void ServicesTest::numberFormatFollowsTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("group");
    QTest::newRow("Italian") << "it_IT" << "," << ".";
    QTest::newRow("US English") << "en_US" << "." << ",";
    QTest::newRow("German (Switzerland)") << "de_CH" << "." << QString::fromUtf8("\u2019");
    QTest::newRow("Italian (Switzerland)") << "it_CH" << "." << QString::fromUtf8("\u2019");
    QTest::newRow("C groups nothing") << "C" << "." << "";
}

void ServicesTest::numberFormatFollowsTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, decimal);
    QFETCH(QString, group);
    const platform::NumberFormat format = qt::numberFormatOf(QLocale(locale));
    QCOMPARE(QString::fromStdString(format.decimalSeparator), decimal);
    QCOMPARE(QString::fromStdString(format.groupSeparator), group);
    QCOMPARE(format.negativeSign, std::string("-"));
    QCOMPARE(format.positiveSign, std::string("+"));
    QCOMPARE(format.exponential, std::string("E"));
    // The runtime reads the system locale: Italian in these tests.
    QtHarness h;
    QCOMPARE(h.runtime.numberFormat().decimalSeparator, std::string(","));
}

void ServicesTest::writeFileReplacesTheWholeFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("CARBONE.TXT"));
    const std::string report("Combustibile:\tCarbone\r\nPCI\t7783\r\n\xE8\r\n", 33);
    QtHarness h;
    QCOMPARE(h.runtime.writeFile(path.toStdString(), report), std::string());
    QCOMPARE(contents(path), QByteArray::fromStdString(report));
    // A shorter text leaves nothing of the longer one behind.
    QCOMPARE(h.runtime.writeFile(path.toStdString(), "x\r\n"), std::string());
    QCOMPARE(contents(path), QByteArray("x\r\n"));
    // No temporary file left over.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"CARBONE.TXT"});
}

void ServicesTest::writeFileReportsFailures()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString blocker = dir.filePath(QStringLiteral("file"));
    QVERIFY(touch(blocker));
    QtHarness h;
    // A directory where a file is asked for, or a file as a directory.
    const QString intoFile = blocker + QStringLiteral("/REPORT.TXT");
    QVERIFY(!h.runtime.writeFile(intoFile.toStdString(), "x").empty());
    QVERIFY(!h.runtime.writeFile(dir.path().toStdString(), "x").empty());
    QVERIFY(QFileInfo(dir.path()).isDir());
    QCOMPARE(contents(blocker), QByteArray());
}

void ServicesTest::firstMatchListsOrdinaryFiles_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("exact name") << "MSINFO32.EXE" << "MSINFO32.EXE";
    QTest::newRow("other case") << "msinfo32.exe" << "MSINFO32.EXE";
    QTest::newRow("wildcard, first by name") << "*.TXT" << "A.TXT";
    QTest::newRow("missing") << "NOTHERE.EXE" << "";
    QTest::newRow("a directory is no file") << "TOOLS" << "";
    QTest::newRow("a hidden file is not listed") << ".hidden" << "";
}

void ServicesTest::firstMatchListsOrdinaryFiles()
{
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char* name : {"MSINFO32.EXE", "B.TXT", "A.TXT", ".hidden"})
        QVERIFY(touch(dir.filePath(QString::fromLatin1(name))));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("TOOLS")));
    QtHarness h;
    QCOMPARE(QString::fromStdString(h.runtime.firstMatch(dir.filePath(pattern).toStdString())), expected);
    QCOMPARE(h.runtime.firstMatch(""), std::string());
}

void ServicesTest::launchStartsTheProgramWithoutAShell()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A name with a blank and a shell character: it must reach exec whole.
    const QString program = dir.filePath(QStringLiteral("sys info;x.sh"));
    const QString marker = dir.filePath(QStringLiteral("started"));
    {
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(marker).toUtf8());
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QtHarness h;
    QVERIFY(h.runtime.launch(program.toStdString()));
    QTRY_VERIFY(QFileInfo::exists(marker));
    QVERIFY(!h.runtime.launch(dir.filePath(QStringLiteral("missing")).toStdString()));
    QVERIFY(!h.runtime.launch("C:\\WINDOWS\\SYSTEM32\\MSINFO32.EXE"));
    QVERIFY(!h.runtime.launch(""));
}

QTEST_MAIN(ServicesTest)
#include "ServicesTest.moc"
