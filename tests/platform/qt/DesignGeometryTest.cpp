// The three windows as built from their designs on a 640 x 480 screen at
// 96 dpi: every control's pixel geometry (twips / 15), self-sizing labels,
// fonts and colours; properties by name read back as written; the window's
// outer geometry and the screen in twips. Writes a screenshot of each window.

#include "platform/qt/LineWidget.h"
#include "platform/qt/Translations.h"
#include "tests/platform/qt/QtHarness.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QFrame>
#include <QImage>
#include <QScreen>
#include <QTest>

using namespace dravelo;
using namespace dravelo::testing;
using platform::qt::LineWidget;

namespace {

constexpr int kFitted = -1; // a self-sizing width: fitted to the caption

QImage screenshot(QWidget* window)
{
    return window->screen()->grabWindow(0, window->frameGeometry().x(), window->frameGeometry().y(),
                                        window->frameGeometry().width(), window->frameGeometry().height())
        .toImage();
}

} // namespace

class DesignGeometryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void controlGeometry_data();
    void controlGeometry();
    void linesRunBetweenTheirEnds_data();
    void linesRunBetweenTheirEnds();
    void fontsAsDesigned();
    void coloursOnScreen_data();
    void coloursOnScreen();
    void propertiesReadBackAsWritten_data();
    void propertiesReadBackAsWritten();
    void selfSizingLabelsRefit();
    void windowGeometryInTwips();
    void screenshots_data();
    void screenshots();
};

void DesignGeometryTest::initTestCase()
{
    platform::qt::installQtTranslations();
    QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(640, 480));
    QCOMPARE(QGuiApplication::primaryScreen()->logicalDotsPerInch(), 96.0);
}

void DesignGeometryTest::controlGeometry_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("pixels");
    auto row = [](const char* form, const char* control, int x, int y, int w, int h) {
        QTest::addRow("%s.%s", form, control) << form << control << QRect(x, y, w, h);
    };
    // Fitted labels: height of the caption's line plus the border, 13 px for
    // 8.25 pt, 17 px with a single border; larger fonts only by position.
    row("Form1", "Command1", 352, 376, 73, 41);
    row("Form1", "cmdExit", 528, 376, 73, 41);
    row("Form1", "cmdCont", 440, 376, 73, 41);
    row("Form1", "Image1", 112, 40, 417, 91);
    row("Form1", "Label6", 24, 384, kFitted, 13);
    row("Form1", "Label5", 24, 424, 1, 9);
    row("Form1", "Label4", 232, 256, kFitted, kFitted);
    row("Form1", "Label3", 32, 176, kFitted, kFitted);

    row("Form2", "Text5", 496, 124, 73, 19);
    row("Form2", "Text4", 208, 124, 73, 19);
    row("Form2", "Command3", 312, 376, 81, 41);
    row("Form2", "Command5", 416, 376, 81, 41);
    row("Form2", "Command1", 520, 376, 81, 41);
    row("Form2", "Text9", 208, 220, 73, 19);
    row("Form2", "Text6", 208, 156, 73, 19);
    row("Form2", "Command4", 488, 160, 81, 22);
    row("Form2", "Text3", 496, 92, 73, 19);
    row("Form2", "Text2", 208, 92, 73, 19);
    row("Form2", "Text1", 208, 60, 73, 19);
    row("Form2", "Label5", 24, 160, kFitted, 13);
    row("Form2", "Label3", 304, 128, kFitted, 13);
    row("Form2", "Label7", 24, 128, kFitted, 13);
    row("Form2", "Label6", 304, 96, kFitted, 13);
    row("Form2", "Label9", 24, 224, kFitted, 13);
    row("Form2", "Label4", 24, 64, kFitted, 13);
    row("Form2", "Label2", 304, 160, kFitted, 17);
    row("Form2", "Label12", 24, 96, kFitted, 13);
    row("Form2", "Label24", 344, 64, kFitted, 17);
    row("Form2", "Label1", 24, 16, kFitted, 13);

    // The About box's picture box fits its 32 x 32 icon and 3-D border.
    row("frmAbout", "picIcon", 16, 16, 36, 36);
    row("frmAbout", "cmdOK", 283, 175, 84, 23);
    row("frmAbout", "cmdSysInfo", 284, 205, 83, 23);
    row("frmAbout", "Label1", 16, 176, 257, 49);
    row("frmAbout", "lblDescription", 70, 80, 259, 78);
    row("frmAbout", "lblTitle", 70, 8, 243, 40);
    row("frmAbout", "lblVersion", 70, 56, 259, 15);
}

void DesignGeometryTest::controlGeometry()
{
    QFETCH(QString, form);
    QFETCH(QString, control);
    QFETCH(QRect, pixels);
    QtHarness h;
    QVERIFY(h.open(form.toUtf8().constData()));
    QWidget* w = h.widget(form.toUtf8().constData(), control.toUtf8().constData());
    QVERIFY(w);
    const QRect actual = w->geometry();
    QCOMPARE(actual.topLeft(), pixels.topLeft());
    if (pixels.width() != kFitted)
        QCOMPARE(actual.width(), pixels.width());
    if (pixels.height() != kFitted)
        QCOMPARE(actual.height(), pixels.height());
    // A self-sizing control reports the size it took, in twips.
    const platform::ControlId id{form.toStdString(), control.toStdString()};
    const double twipsPerUnitAcross = form == "frmAbout" ? 5730.0 / 5380.766f : 1.0;
    QCOMPARE(qRound(h.runtime.property(id, "Width") * twipsPerUnitAcross / 15), actual.width());
}

void DesignGeometryTest::linesRunBetweenTheirEnds_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("width");
    QTest::newRow("Form2 rule") << "Form2" << -1 << QPoint(0, 200) << QPoint(608, 200)
                                << QApplication::palette().color(QPalette::Text) << 1;
    QTest::newRow("About grey") << "frmAbout" << 1 << QPoint(6, 163) << QPoint(377, 163) << QColor(128, 128, 128) << 1;
    QTest::newRow("About white") << "frmAbout" << 0 << QPoint(7, 164) << QPoint(377, 164) << QColor(Qt::white) << 2;
}

void DesignGeometryTest::linesRunBetweenTheirEnds()
{
    QFETCH(QString, form);
    QFETCH(int, index);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QColor, colour);
    QFETCH(int, width);
    QtHarness h;
    QVERIFY(h.open(form.toUtf8().constData()));
    auto* line = dynamic_cast<LineWidget*>(h.widget(form.toUtf8().constData(), "Line1", index));
    QVERIFY(line);
    QCOMPARE(line->from(), from);
    QCOMPARE(line->to(), to);
    QCOMPARE(line->color(), colour);
    QCOMPARE(line->penWidth(), width);
    QCOMPARE(h.runtime.kind({form.toStdString(), "Line1", index}), platform::ControlKind::Line);
    // On screen: the line's pixels at its middle, its width downwards.
    const QImage client = h.window(form.toUtf8().constData())->grab().toImage();
    const int middle = (from.x() + to.x()) / 2;
    for (int y = from.y(); y < from.y() + width; ++y)
        QCOMPARE(client.pixelColor(middle, y), colour);
}

void DesignGeometryTest::fontsAsDesigned()
{
    QtHarness h;
    for (const platform::FormDesign& design : forms::allDesigns()) {
        QVERIFY(h.open(design.name.c_str()));
        for (const platform::ControlDesign& c : design.controls) {
            if (c.cls == platform::ControlClass::Line || c.cls == platform::ControlClass::Image)
                continue;
            const platform::FontSpec font = c.font.value_or(design.font);
            QWidget* w = h.widget(design.name.c_str(), c.name.c_str(), c.index);
            const QString where = QString::fromStdString(design.name + "." + c.name);
            QVERIFY2(QFontInfo(w->font()).family() == QStringLiteral("Liberation Sans"), qPrintable(where));
            QVERIFY2(w->font().pointSizeF() == font.pointSize, qPrintable(where));
            QVERIFY2(w->font().weight() == (font.bold ? QFont::Bold : QFont::Normal), qPrintable(where));
            QCOMPARE(h.runtime.property({design.name, c.name, c.index}, "FontSize"), font.pointSize);
        }
    }
}

void DesignGeometryTest::coloursOnScreen_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("control"); // empty: the window's own ground
    QTest::addColumn<QColor>("colour");
    const QPalette desktop = QApplication::palette();
    QTest::newRow("cover ground") << "Form1" << "" << QColor(128, 255, 255);
    QTest::newRow("calculation ground") << "Form2" << ""
                                        << desktop.color(QPalette::Disabled, QPalette::WindowText);
    QTest::newRow("About ground") << "frmAbout" << "" << QColor(128, 255, 128);
    QTest::newRow("title label") << "Form1" << "Label3" << QColor(255, 255, 192);
    QTest::newRow("rights label") << "Form1" << "Label6" << desktop.color(QPalette::HighlightedText);
    QTest::newRow("hint label") << "Form2" << "Label24" << QColor(Qt::white);
    QTest::newRow("entry label") << "Form2" << "Label4" << desktop.color(QPalette::Button);
    QTest::newRow("icon ground") << "frmAbout" << "picIcon" << QColor(128, 255, 255);
}

void DesignGeometryTest::coloursOnScreen()
{
    QFETCH(QString, form);
    QFETCH(QString, control);
    QFETCH(QColor, colour);
    QtHarness h;
    QVERIFY(h.open(form.toUtf8().constData()));
    const QImage client = h.window(form.toUtf8().constData())->grab().toImage();
    QPoint probe(2, 2);
    if (!control.isEmpty()) {
        QWidget* w = h.widget(form.toUtf8().constData(), control.toUtf8().constData());
        // The first row inside the border, above the capitals.
        const int frame = qobject_cast<QFrame*>(w) ? qobject_cast<QFrame*>(w)->frameWidth() : 0;
        probe = w->geometry().topLeft() + QPoint(frame + 1, frame);
    }
    QCOMPARE(client.pixelColor(probe), colour);
}

void DesignGeometryTest::propertiesReadBackAsWritten_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("property");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("pixel"); // the coordinate the widget takes
    QTest::newRow("Left") << "Form2" << "Text2" << -1 << "Left" << 3900.0 << 260;
    QTest::newRow("Top") << "Form2" << "Text2" << -1 << "Top" << 1725.0 << 115;
    QTest::newRow("fractional Width") << "Form2" << "Text2" << -1 << "Width" << 1368.75 << 91;
    QTest::newRow("fractional Height") << "Form2" << "Text2" << -1 << "Height" << 356.25 << 24;
    QTest::newRow("line Y1") << "Form2" << "Line1" << -1 << "Y1" << 3750.0 << 250;
    QTest::newRow("line X2") << "Form2" << "Line1" << -1 << "X2" << 11400.0 << 760;
    QTest::newRow("image Width") << "Form1" << "Image1" << -1 << "Width" << 7818.75 << 521;
    // The About box's controls are in its scale: 1.064904 twips across,
    // 1.448818 twips down.
    QTest::newRow("About Left") << "frmAbout" << "cmdOK" << -1 << "Left" << 1000.0 << 71;
    QTest::newRow("About Top") << "frmAbout" << "cmdOK" << -1 << "Top" << 1000.0 << 97;
    QTest::newRow("About line X1") << "frmAbout" << "Line1" << 1 << "X1" << 100.5 << 7;
}

void DesignGeometryTest::propertiesReadBackAsWritten()
{
    QFETCH(QString, form);
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(QString, property);
    QFETCH(double, value);
    QFETCH(int, pixel);
    QtHarness h;
    QVERIFY(h.open(form.toUtf8().constData()));
    const platform::ControlId id{form.toStdString(), control.toStdString(), index};
    h.runtime.setProperty(id, property.toStdString(), value);
    QCOMPARE(h.runtime.property(id, property.toStdString()), value);

    QWidget* w = h.runtime.widget(id);
    int actual = 0;
    if (auto* line = dynamic_cast<LineWidget*>(w))
        actual = property == "X1" ? line->from().x() : property == "Y1" ? line->from().y() : line->to().x();
    else if (property == "Left")
        actual = w->x();
    else if (property == "Top")
        actual = w->y();
    else if (property == "Width")
        actual = w->width();
    else
        actual = w->height();
    QCOMPARE(actual, pixel);
}

void DesignGeometryTest::selfSizingLabelsRefit()
{
    QtHarness h;
    QVERIFY(h.open(forms::kForm2));
    const platform::ControlId zolfo{forms::kForm2, "Label5"};
    QWidget* label = h.runtime.widget(zolfo);
    const int width = label->width();
    QCOMPARE(h.runtime.property(zolfo, "Height"), 195.0);
    QCOMPARE(h.runtime.property(zolfo, "Height"), 195.0);
    QCOMPARE(h.runtime.property({forms::kForm2, "Label2"}, "Height"), 255.0);

    // A size written is taken back: the caption decides.
    h.runtime.setProperty(zolfo, "Width", 5000);
    QCOMPARE(label->width(), width);
    QCOMPARE(h.runtime.property(zolfo, "Width"), width * 15.0);

    // A larger font makes a larger label; the top-left corner stays.
    h.runtime.setProperty(zolfo, "FontSize", 10.3125);
    QCOMPARE(label->font().pointSizeF(), 10.3125);
    QCOMPARE(h.runtime.property(zolfo, "FontSize"), 10.3125);
    QVERIFY(label->width() > width);
    QVERIFY(label->height() > 13);
    QCOMPARE(label->pos(), QPoint(24, 160));
    QCOMPARE(h.runtime.property(zolfo, "Height"), label->height() * 15.0);

    // A new caption refits too.
    h.runtime.setCaption(zolfo, "Zolfo");
    QVERIFY(label->width() < width);
    QCOMPARE(h.runtime.text(zolfo), std::string("Zolfo"));
}

void DesignGeometryTest::windowGeometryInTwips()
{
    QtHarness h;
    const platform::ScreenSize screen = h.runtime.screen();
    QCOMPARE(screen.width, 9600.0f);
    QCOMPARE(screen.height, 7200.0f);

    QVERIFY(h.open(forms::kForm1));
    // Client 4680 x 3195 plus the frame: 60 each side, 345 above.
    QCOMPARE(h.runtime.formProperty(forms::kForm1, "Width"), 4800.0f);
    QCOMPARE(h.runtime.formProperty(forms::kForm1, "Height"), 3600.0f);
    QCOMPARE(h.runtime.formProperty(forms::kForm1, "Left"), 0.0f);
    QCOMPARE(h.runtime.formProperty(forms::kForm1, "Top"), 0.0f);

    // Written while maximized: the window takes it when restored.
    QWidget* form1 = h.window(forms::kForm1);
    QTRY_VERIFY(form1->windowState() & Qt::WindowMaximized);
    h.runtime.setFormProperty(forms::kForm1, "Width", 6000.25f);
    h.runtime.setFormProperty(forms::kForm1, "Height", 4500);
    QCOMPARE(h.runtime.formProperty(forms::kForm1, "Width"), 6000.25f);
    QVERIFY(form1->windowState() & Qt::WindowMaximized);
    form1->showNormal();
    QTRY_COMPARE(form1->size(), QSize(392, 273));

    QVERIFY(h.open(forms::kFrmAbout));
    QCOMPARE(h.runtime.formProperty(forms::kFrmAbout, "Left"), 2280.0f);
    QCOMPARE(h.runtime.formProperty(forms::kFrmAbout, "Top"), 1590.0f);
    QCOMPARE(h.runtime.formProperty(forms::kFrmAbout, "Width"), 5850.0f);
    QCOMPARE(h.runtime.formProperty(forms::kFrmAbout, "Height"), 3960.0f);
    // The About box's controls read in its scale.
    QVERIFY(qAbs(h.runtime.property({forms::kFrmAbout, "cmdOK"}, "Left") - 4245 * 5380.766f / 5730.0) < 1e-3);
    QVERIFY(qAbs(h.runtime.property({forms::kFrmAbout, "Line1", 0}, "Y1") - 2460 * 2453.724f / 3555.0) < 1e-3);
}

void DesignGeometryTest::screenshots_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("Form1") << "Form1";
    QTest::newRow("Form2") << "Form2";
    QTest::newRow("frmAbout") << "frmAbout";
}

void DesignGeometryTest::screenshots()
{
    QFETCH(QString, form);
    QtHarness h;
    QVERIFY(h.open(form.toUtf8().constData()));
    QWidget* window = h.window(form.toUtf8().constData());
    if (form != "frmAbout")
        QTRY_VERIFY(window->windowState() & Qt::WindowMaximized);
    QTest::qWait(200); // let the window manager draw the frame
    const QString path = QDir(QStringLiteral(DRAVELO_SCREENSHOT_DIR)).filePath(form + ".png");
    QVERIFY(screenshot(window).save(path));
    QVERIFY(QImage(path).width() >= window->width());
}

QTEST_MAIN(DesignGeometryTest)
#include "DesignGeometryTest.moc"
