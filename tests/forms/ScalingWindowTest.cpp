// The screen scaling in real windows: the program's own handlers over the Qt
// runtime, on the screen that DRAVELO_SCREEN and DRAVELO_DPI describe.
// Screenshots of the three windows go to DRAVELO_SCREENSHOT_DIR.

#include "app/Program.h"
#include "forms/Designs.h"
#include "platform/qt/DesignStyle.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/LineWidget.h"
#include "platform/qt/QtRuntime.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QtTest>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

using dravelo::app::Program;
using dravelo::platform::ControlId;
using dravelo::platform::qt::FormWindow;
using dravelo::platform::qt::LineWidget;
using dravelo::platform::qt::QtRuntime;
namespace forms = dravelo::forms;

namespace {

// What one screen must give: the screen in twips, the factor of both axes,
// and Form2's widgets in pixels of its client area.
struct ScreenCase {
    const char* screen; // as DRAVELO_SCREEN gives it
    int dpi;
    float screenWidthTwips, screenHeightTwips;
    double factor;
    QRect text2, command3;
    QPoint lineEnd;
};

// 800 x 600 at 96 dpi: Text2 3900 / 1725 / 1368.75 / 356.25 twips.
// 1024 x 768: Text2 4992 / 2208 / 1752 / 456 twips; Command3 7488 / 9024 /
// 1944 / 984. With Xft.dpi 120 Qt applies a device pixel ratio of 1.25, so
// 800 x 600 device pixels are 640 x 480 logical ones, and nothing scales.
const ScreenCase kCases[] = {
    {"640x480x24", 96, 9600, 7200, 1.0, {208, 92, 73, 19}, {312, 376, 81, 41}, {608, 200}},
    {"800x600x24", 120, 9600, 7200, 1.0, {208, 92, 73, 19}, {312, 376, 81, 41}, {608, 200}},
    {"800x600x24", 96, 12000, 9000, 1.25, {260, 115, 91, 24}, {390, 470, 101, 51}, {760, 250}},
    {"1024x768x24", 96, 15360, 11520, 1.6000000238418579, {333, 147, 117, 30}, {499, 602, 130, 66}, {973, 320}},
};

QString environment(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return QString::fromLatin1(value && *value ? value : fallback);
}

const ScreenCase* caseForThisScreen()
{
    const QString screen = environment("DRAVELO_SCREEN", "640x480x24");
    const int dpi = environment("DRAVELO_DPI", "96").toInt();
    for (const ScreenCase& c : kCases)
        if (screen == QLatin1String(c.screen) && dpi == c.dpi)
            return &c;
    return nullptr;
}

} // namespace

class ScalingWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        screen_ = caseForThisScreen();
        QVERIFY2(screen_, "no expectations for this DRAVELO_SCREEN and DRAVELO_DPI");
        dravelo::platform::qt::registerFontSubstitution();
        runtime_ = std::make_unique<QtRuntime>(forms::allDesigns());
        program_ = std::make_unique<Program>(*runtime_);
        runtime_->setEvents(program_.get());
        runtime_->show(forms::kForm1);
        QVERIFY(QTest::qWaitForWindowExposed(runtime_->window(forms::kForm1)));
    }

    void cleanupTestCase()
    {
        // No exit confirmation: the windows go with the runtime.
        runtime_->setEvents(nullptr);
        program_.reset();
        runtime_.reset();
    }

    void screenMeasuresAsExpected()
    {
        const auto screen = runtime_->screen();
        QCOMPARE(screen.width, screen_->screenWidthTwips);
        QCOMPARE(screen.height, screen_->screenHeightTwips);
    }

    void form1TitlesAreCentredOnTheScreen()
    {
        const float formWidth = runtime_->formProperty(forms::kForm1, "Width");
        QCOMPARE(formWidth, static_cast<float>(4800 * screen_->factor));
        const QFont title = runtime_->widget({forms::kForm1, "Label3"})->font();
        QCOMPARE(title.pointSizeF(), 13.5 * screen_->factor);
        if (!scales()) {
            // A screen of the reference height keeps the design positions.
            QCOMPARE(runtime_->property({forms::kForm1, "Label3"}, "Left"), 480.0);
            QCOMPARE(runtime_->property({forms::kForm1, "Label4"}, "Left"), 3480.0);
            return;
        }
        const double twipsPerPixel = runtime_->window(forms::kForm1)->twipsPerPixel();
        const double screenMiddle = formWidth / twipsPerPixel; // 2 x W spans the screen
        for (const char* name : {"Label3", "Label4"}) {
            const ControlId id{forms::kForm1, name};
            const auto width = static_cast<float>(runtime_->property(id, "Width"));
            QCOMPARE(runtime_->property(id, "Left"), double((2 * formWidth - width) / 2));
            // The label fitted its caption in the scaled font before it was centred.
            const auto* label = qobject_cast<const QLabel*>(runtime_->widget(id));
            QVERIFY(label);
            QCOMPARE(label->width(), int(std::lround(width / twipsPerPixel)));
            QVERIFY2(label->width() >= label->sizeHint().width() - 1, name);
            const double middle = label->x() + label->width() / 2.0;
            QVERIFY2(std::abs(middle - screenMiddle) <= 1, qPrintable(QString("%1 middle %2, screen middle %3")
                                                                          .arg(name)
                                                                          .arg(middle)
                                                                          .arg(screenMiddle)));
        }
    }

    // A real click where the scaled design puts "&Info" reaches it: the
    // About box opens.
    void clickOnScaledInfoButtonReachesIt()
    {
        FormWindow* form1 = runtime_->window(forms::kForm1);
        const double twipsPerPixel = form1->twipsPerPixel();
        // Command1: Left 5280, Top 5640, Width 1095, Height 615 twips at design.
        const QPoint centre(int(std::lround((5280 + 1095 / 2.0) * screen_->factor / twipsPerPixel)),
                            int(std::lround((5640 + 615 / 2.0) * screen_->factor / twipsPerPixel)));
        QCOMPARE(form1->childAt(centre), runtime_->widget({forms::kForm1, "Command1"}));
        const QPoint device = form1->mapToGlobal(centre) * form1->devicePixelRatioF();
        const int status = QProcess::execute("xdotool", {"mousemove", "--sync", QString::number(device.x()),
                                                         QString::number(device.y()), "click", "1"});
        QCOMPARE(status, 0);
        QTRY_VERIFY(runtime_->isLoaded(forms::kFrmAbout));
        runtime_->unload(forms::kFrmAbout);
        QTRY_VERIFY(!runtime_->isLoaded(forms::kFrmAbout));
    }

    void form2WidgetsTakeTheScaledGeometry()
    {
        runtime_->show(forms::kForm2);
        FormWindow* form2 = runtime_->window(forms::kForm2);
        QVERIFY(QTest::qWaitForWindowExposed(form2));
        QCOMPARE(runtime_->widget({forms::kForm2, "Text2"})->geometry(), screen_->text2);
        QCOMPARE(runtime_->widget({forms::kForm2, "Command3"})->geometry(), screen_->command3);
        // Fractional point sizes are asked for as such.
        QCOMPARE(runtime_->widget({forms::kForm2, "Text2"})->font().pointSizeF(),
                 8.25 * screen_->factor);
        const auto* line = static_cast<const LineWidget*>(runtime_->widget({forms::kForm2, "Line1"}));
        QCOMPARE(line->from(), QPoint(0, screen_->lineEnd.y()));
        QCOMPARE(line->to(), screen_->lineEnd);
        QVERIFY(form2->isMaximized());
    }

    void aboutBoxHasTheSameGeometryAtEveryOpening()
    {
        QRect okAtFirst;
        QRect windowAtFirst;
        for (int opening = 0; opening < 3; ++opening) {
            runtime_->show(forms::kFrmAbout);
            FormWindow* about = runtime_->window(forms::kFrmAbout);
            QVERIFY(QTest::qWaitForWindowExposed(about));
            const QRect ok = runtime_->widget({forms::kFrmAbout, "cmdOK"})->geometry();
            // Window geometry without the frame the window manager adds.
            const QRect window(about->pos(), about->size());
            if (opening == 0) {
                okAtFirst = ok;
                windowAtFirst = window;
                // cmdOK's 4245 twips across, scaled, in pixels.
                QCOMPARE(ok.x(), int(std::lround(4245 * screen_->factor / about->twipsPerPixel())));
            } else {
                QCOMPARE(ok, okAtFirst);
                QCOMPARE(window.size(), windowAtFirst.size());
            }
            if (opening == 0)
                saveScreenshots();
            runtime_->unload(forms::kFrmAbout);
            QTRY_VERIFY(!runtime_->isLoaded(forms::kFrmAbout));
        }
    }

    void restoredForm1TakesItsScaledNormalGeometry()
    {
        FormWindow* form1 = runtime_->window(forms::kForm1);
        form1->showNormal();
        const int expectedWidth =
            int(std::lround((4800 * screen_->factor - 2 * 60) / form1->twipsPerPixel()));
        QTRY_COMPARE(form1->width(), expectedWidth);
    }

private:
    bool scales() const { return screen_->factor != 1.0; }

    void saveScreenshots()
    {
        const QString dir = environment("DRAVELO_SCREENSHOT_DIR", ".");
        QDir().mkpath(dir);
        const QString prefix = QString("%1/%2-%3dpi-").arg(dir, QString(screen_->screen).section('x', 0, 1))
                                   .arg(screen_->dpi);
        for (const char* form : {forms::kForm1, forms::kForm2, forms::kFrmAbout})
            QVERIFY(runtime_->window(form)->grab().save(prefix + form + ".png"));
        QVERIFY(QGuiApplication::primaryScreen()->grabWindow(0).save(prefix + "screen.png"));
    }

    const ScreenCase* screen_ = nullptr;
    std::unique_ptr<QtRuntime> runtime_;
    std::unique_ptr<Program> program_;
};

QTEST_MAIN(ScalingWindowTest)
#include "ScalingWindowTest.moc"
