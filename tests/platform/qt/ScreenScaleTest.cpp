// The screen in twips from Qt's logical geometry and logical DPI, on
// screens of other sizes and dpi, with and without a device pixel ratio
// applied by Qt. The expectations come from the environment of each run:
// DRAVELO_EXPECT_TWIPS (WxH), DRAVELO_EXPECT_DPR and DRAVELO_EXPECT_TEXT2
// (x,y,w,h of Form2's Text2 in logical pixels).

#include "tests/platform/qt/QtHarness.h"

#include <QRegularExpression>
#include <QScreen>
#include <QTest>

using namespace dravelo;
using namespace dravelo::testing;

namespace {

QList<int> expectedNumbers(const char* variable)
{
    QList<int> numbers;
    for (const QString& part : qEnvironmentVariable(variable).split(QRegularExpression(QStringLiteral("[x,]"))))
        numbers << part.toInt();
    return numbers;
}

} // namespace

class ScreenScaleTest : public QObject {
    Q_OBJECT

private slots:
    void screenInTwips();
    void controlsInLogicalPixels();
};

void ScreenScaleTest::screenInTwips()
{
    const QList<int> twips = expectedNumbers("DRAVELO_EXPECT_TWIPS");
    QCOMPARE(twips.size(), 2);
    const QScreen* screen = QGuiApplication::primaryScreen();
    qInfo("screen %dx%d logical, %.2f dpi logical, device pixel ratio %.2f", screen->geometry().width(),
          screen->geometry().height(), screen->logicalDotsPerInch(), screen->devicePixelRatio());
    QCOMPARE(screen->devicePixelRatio(), qEnvironmentVariable("DRAVELO_EXPECT_DPR").toDouble());
    QtHarness h;
    const platform::ScreenSize size = h.runtime.screen();
    QCOMPARE(size.width, float(twips[0]));
    QCOMPARE(size.height, float(twips[1]));
}

void ScreenScaleTest::controlsInLogicalPixels()
{
    const QList<int> text2 = expectedNumbers("DRAVELO_EXPECT_TEXT2");
    QCOMPARE(text2.size(), 4);
    QtHarness h;
    QVERIFY(h.open(forms::kForm2));
    QCOMPARE(h.widget(forms::kForm2, "Text2")->geometry(), QRect(text2[0], text2[1], text2[2], text2[3]));
    // Design values read back unchanged whatever the pixels.
    QCOMPARE(h.runtime.property({forms::kForm2, "Text2"}, "Left"), 3120.0);
    QCOMPARE(h.runtime.property({forms::kForm2, "Text2"}, "Height"), 285.0);
}

QTEST_MAIN(ScreenScaleTest)
#include "ScreenScaleTest.moc"
