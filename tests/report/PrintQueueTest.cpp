// Prints the report through the Qt printer on the default queue that
// print-queue.sh set up, and reads the PDF the queue produced back.

#include "platform/PrintFailure.h"
#include "platform/qt/QtRuntime.h"
#include "report/RapportoCalcolo.h"
#include "report/ReportPrint.h"
#include "tests/support/MeasuringPrinter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <vector>

namespace {

// The default printer as the runtime gives it, keeping the font measures
// each job gave.
class DefaultPrinter : public dravelo::testing::MeasuringPrinter {
public:
    DefaultPrinter() : MeasuringPrinter([this](std::string& whyNot) { return runtime_.startJob(whyNot); }) {}

private:
    dravelo::platform::qt::QtRuntime runtime_{std::vector<dravelo::platform::FormDesign>{}};
};

struct Word {
    double xMin, yMin;
    QString text;
};

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        qWarning() << program << args << p.readAllStandardError();
    return QString::fromUtf8(p.readAllStandardOutput());
}

std::vector<Word> wordsOf(const QString& pdf)
{
    static const QRegularExpression word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="[0-9.]+" yMax="[0-9.]+">([^<]*)</word>)re");
    std::vector<Word> words;
    const QString xhtml = run("pdftotext", {"-bbox", pdf, "-"});
    for (auto m = word.globalMatch(xhtml); m.hasNext();) {
        const auto match = m.next();
        words.push_back({match.captured(1).toDouble(), match.captured(2).toDouble(), match.captured(3)});
    }
    return words;
}

// cups-pdf first creates an empty file: the PDF is there once it is complete.
QString waitForPdf(const QString& dir)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30000) {
        for (const QFileInfo& f : QDir(dir).entryInfoList({"*.pdf"}, QDir::Files)) {
            QFile file(f.filePath());
            if (file.open(QIODevice::ReadOnly) && file.readAll().trimmed().endsWith("%%EOF"))
                return f.filePath();
        }
        QThread::msleep(50);
    }
    return {};
}

dravelo::report::ReportInputs sampleInputs()
{
    return {"Gasolio più pesante", "85,5", "12,5", "1", "0", "1", "10005,9", "07/12/2026", "10:11:12"};
}

QString outDir()
{
    return qEnvironmentVariable("DRAVELO_PDF_OUT");
}

// The processes this test started that still run: the print program must
// not outlive the print's answer.
QStringList children()
{
    QStringList found;
    for (const QFileInfo& task : QDir("/proc/self/task").entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(task.filePath() + "/children");
        if (file.open(QIODevice::ReadOnly))
            found += QString::fromLatin1(file.readAll()).split(' ', Qt::SkipEmptyParts);
    }
    return found;
}

// Prints the sample report; the reason it did not go out, or empty.
std::string printSample(DefaultPrinter& printer)
{
    QElapsedTimer timer;
    timer.start();
    const std::string failure =
        dravelo::report::StampaRapporto(dravelo::report::ComponiRapporto(sampleInputs()), printer).failure;
    qInfo("answered after %lld ms: %s", static_cast<long long>(timer.elapsed()), failure.c_str());
    const QStringList left = children();
    if (!left.isEmpty())
        qWarning() << "still running after the answer:" << left;
    return left.isEmpty() ? failure : "a process outlived the answer";
}

QString printedFailure()
{
    DefaultPrinter printer;
    return QString::fromStdString(printSample(printer));
}

} // namespace

class PrintQueueTest : public QObject {
    Q_OBJECT

private slots:
    void printsTheReportOnTheDefaultQueue();
    void printsOnTheDestinationsMedia();
    void refusesADisabledQueue();
    void tellsThereIsNoPrinter();
    void tellsTheCause();
    void sendsTheJob();
};

void PrintQueueTest::printsTheReportOnTheDefaultQueue()
{
    QVERIFY2(!outDir().isEmpty(), "DRAVELO_PDF_OUT not set");
    DefaultPrinter printer;
    QCOMPARE(QString::fromStdString(printSample(printer)), QString());
    QVERIFY(printer.averageTwips > 0);
    QVERIFY(printer.lineTwips > 0);

    const QString pdf = waitForPdf(outDir());
    QVERIFY2(!pdf.isEmpty(), "no complete PDF from the queue");

    // The text, line by line.
    QStringList lines = run("pdftotext", {"-layout", pdf, "-"}).split('\n');
    for (QString& l : lines)
        l = l.simplified();
    while (!lines.isEmpty() && lines.last().remove(QChar('\f')).isEmpty())
        lines.removeLast();
    const QStringList expected = {
        "Calcolo del potere calorifico dei combustibili",
        "",
        "Data rapporto di calcolo = 07/12/2026",
        "Ora rapporto di calcolo = 10:11:12",
        "Nome combustibile = Gasolio più pesante",
        "Carbonio = 85,5 % (in peso)",
        "Idrogeno = 12,5 % (in peso)",
        "Ossigeno = 1 % (in peso)",
        "Cloro = 0 % (in peso)",
        "Zolfo = 1 % (in peso)",
        "Potere calorifico inferiore = 10005,9 kcal/kg",
    };
    QCOMPARE(lines.mid(lines.indexOf(expected[0])), expected);

    // The positions, in points.
    const std::vector<Word> words = wordsOf(pdf);
    const QStringList firstWords = {"Calcolo", "Data", "Ora", "Nome", "Carbonio", "Idrogeno",
                                    "Ossigeno", "Cloro", "Zolfo", "Potere"};
    std::vector<Word> starts, equals;
    for (const Word& w : words) {
        if (w.text == "=")
            equals.push_back(w);
        else if (starts.size() < std::size_t(firstWords.size()) && w.text == firstWords[int(starts.size())])
            starts.push_back(w);
    }
    QCOMPARE(starts.size(), std::size_t(10));
    QCOMPARE(equals.size(), std::size_t(9));

    const double average = printer.averageTwips / 20.0;
    const double line = printer.lineTwips / 20.0;
    const double labelX = starts[1].xMin;
    qInfo("average %.3f pt, line %.3f pt; title at %.2f, labels at %.2f, \" = \" at %.2f pt", average, line,
          starts[0].xMin, labelX, equals[0].xMin);
    // From the top left of the printable area: the title at 500, 500 twips,
    // the labels five average widths in. The printable area is the
    // printer's own (its driver's margins), not Qt's default margins.
    QPageLayout layout = QPrinter(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution).pageLayout();
    layout.setMargins(layout.minimumMargins());
    const QRectF printable = layout.paintRect(QPageLayout::Point);
    QVERIFY2(qAbs(labelX - (printable.left() + 5 * average)) < 0.5, qPrintable(QString::number(printable.left())));
    // A word's box starts at the PDF font's ascent, which differs from the
    // ascent the line was placed by, so y is held to 2 points only.
    QVERIFY2(qAbs(starts[0].yMin - (printable.top() + 25)) < 2, qPrintable(QString::number(starts[0].yMin)));
    QVERIFY2(qAbs((starts[0].xMin - labelX) - (25.0 - 5 * average)) < 0.5,
             qPrintable(QString("title %1, label %2").arg(starts[0].xMin).arg(labelX)));
    for (std::size_t i = 1; i < starts.size(); ++i) {
        QVERIFY2(qAbs(starts[i].xMin - labelX) < 0.1, qPrintable(starts[i].text));
        QVERIFY2(qAbs(equals[i - 1].xMin - equals[0].xMin) < 0.1, qPrintable(starts[i].text));
        QVERIFY2(qAbs(equals[i - 1].yMin - starts[i].yMin) < 0.1, qPrintable(starts[i].text));
    }
    // " = " at column 50: 44 average widths after the label, then its blank.
    const double equalsOffset = equals[0].xMin - labelX;
    QVERIFY2(equalsOffset > 44 * average && equalsOffset < 45 * average,
             qPrintable(QString("offset %1, average %2").arg(equalsOffset).arg(average)));
    // One line height per line, the empty line 2 included.
    QVERIFY(qAbs((starts[1].yMin - starts[0].yMin) - 2 * line) < 0.2);
    for (std::size_t i = 2; i < starts.size(); ++i)
        QVERIFY2(qAbs((starts[i].yMin - starts[i - 1].yMin) - line) < 0.2, qPrintable(starts[i].text));

    const QString fonts = run("pdffonts", {pdf});
    QVERIFY2(fonts.contains("Bold"), qPrintable(fonts));
}

// The page on the media the default destination's options choose, as
// print-queue.sh says ("421x595": A5), to a point. The report's lines may
// run off a narrow page: the layout is the report's own.
void PrintQueueTest::printsOnTheDestinationsMedia()
{
    const QStringList expected = qEnvironmentVariable("DRAVELO_EXPECTED_PAGE").split('x');
    QCOMPARE(expected.size(), 2);
    for (const QFileInfo& old : QDir(outDir()).entryInfoList({"*.pdf"}, QDir::Files))
        QFile::remove(old.filePath());
    QCOMPARE(printedFailure(), QString());
    const QString pdf = waitForPdf(outDir());
    QVERIFY2(!pdf.isEmpty(), "no complete PDF from the queue");
    static const QRegularExpression pageSize(R"(Page size: +([0-9.]+) x ([0-9.]+) pts)");
    const auto size = pageSize.match(run("pdfinfo", {pdf}));
    QVERIFY2(size.hasMatch() && qAbs(size.captured(1).toDouble() - expected[0].toDouble()) < 1.5 &&
                 qAbs(size.captured(2).toDouble() - expected[1].toDouble()) < 1.5,
             qPrintable(size.captured(0)));
}

void PrintQueueTest::refusesADisabledQueue()
{
    const QString failure = printedFailure();
    QVERIFY2(failure.contains("è sospesa"), qPrintable(failure));
}

void PrintQueueTest::tellsThereIsNoPrinter()
{
    const QString failure = printedFailure();
    QVERIFY2(failure.contains("nessuna stampante predefinita"), qPrintable(failure));
}

// The cause print-queue.sh set up, in DRAVELO_EXPECTED_FAILURE: told in
// those words, and within the limit with a wide margin.
void PrintQueueTest::tellsTheCause()
{
    const QString expected = qEnvironmentVariable("DRAVELO_EXPECTED_FAILURE");
    QVERIFY2(!expected.isEmpty(), "DRAVELO_EXPECTED_FAILURE not set");
    QElapsedTimer timer;
    timer.start();
    const QString failure = printedFailure();
    QVERIFY2(failure.contains(expected), qPrintable(failure));
    QVERIFY2(timer.elapsed() < 3 * dravelo::platform::kPrintServiceLimit.count() * 1000,
             qPrintable(QString("%1 ms").arg(timer.elapsed())));
}

// A job the queue takes, whatever it then does with it (print-queue.sh
// looks): no message, and nothing left running.
void PrintQueueTest::sendsTheJob()
{
    QCOMPARE(printedFailure(), QString());
}

QTEST_MAIN(PrintQueueTest)
#include "PrintQueueTest.moc"
