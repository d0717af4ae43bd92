// Keyboard use of the three windows as designed: where the focus starts,
// the Tab cycles, the access keys, and the default and cancel buttons.

#include "tests/platform/qt/QtHarness.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

using namespace dravelo;
using namespace dravelo::testing;

namespace {

QString focusName()
{
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

void press(QtHarness& h, const QString& form, int key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(h.window(form.toUtf8().constData())->windowHandle(), static_cast<Qt::Key>(key), modifiers);
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void tabCycle_data();
    void tabCycle();
    void accessKeys_data();
    void accessKeys();
    void defaultAndCancelButtons_data();
    void defaultAndCancelButtons();
};

void KeyboardTest::tabCycle_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("cycle");
    QTest::newRow("Form1") << "Form1" << QStringList{"cmdCont", "cmdExit", "Command1"};
    QTest::newRow("Form2") << "Form2"
                           << QStringList{"Text1",    "Text2",    "Text3",    "Text6", "Text9", "Command4",
                                          "Command1", "Command5", "Command3", "Text4", "Text5"};
    QTest::newRow("frmAbout") << "frmAbout" << QStringList{"cmdOK", "picIcon", "cmdSysInfo"};
}

void KeyboardTest::tabCycle()
{
    QFETCH(QString, form);
    QFETCH(QStringList, cycle);
    QtHarness h;
    QVERIFY(h.open(form.toUtf8().constData()));
    QTRY_COMPARE(focusName(), cycle.front());
    QStringList visited{focusName()};
    for (int i = 0; i < cycle.size(); ++i) {
        press(h, form, Qt::Key_Tab);
        visited << focusName();
    }
    QCOMPARE(visited, cycle + QStringList{cycle.front()});
    // Shift+Tab goes back the same way.
    press(h, form, Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(focusName(), cycle.back());
}

void KeyboardTest::accessKeys_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("clicked");
    QTest::newRow("Form1 Alt+I") << "Form1" << int(Qt::Key_I) << "click Form1.Command1";
    QTest::newRow("Form1 Alt+E") << "Form1" << int(Qt::Key_E) << "click Form1.cmdExit";
    QTest::newRow("Form1 Alt+C") << "Form1" << int(Qt::Key_C) << "click Form1.cmdCont";
    QTest::newRow("Form2 Alt+P") << "Form2" << int(Qt::Key_P) << "click Form2.Command3";
    QTest::newRow("Form2 Alt+S") << "Form2" << int(Qt::Key_S) << "click Form2.Command5";
    QTest::newRow("Form2 Alt+E") << "Form2" << int(Qt::Key_E) << "click Form2.Command1";
    QTest::newRow("Form2 Alt+C") << "Form2" << int(Qt::Key_C) << "click Form2.Command4";
    QTest::newRow("frmAbout Alt+S") << "frmAbout" << int(Qt::Key_S) << "click frmAbout.cmdSysInfo";
}

void KeyboardTest::accessKeys()
{
    QFETCH(QString, form);
    QFETCH(int, key);
    QFETCH(QString, clicked);
    QtHarness h;
    QVERIFY(h.open(form.toUtf8().constData()));
    h.events.log.clear();
    press(h, form, key, Qt::AltModifier);
    QTRY_COMPARE(h.events.matching("click"), QStringList{clicked});
    // The button pressed by its access key has the focus.
    QCOMPARE(form + "." + focusName(), clicked.mid(QStringLiteral("click ").size()));
}

void KeyboardTest::defaultAndCancelButtons_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("clicked");
    QTest::newRow("About, Enter") << "frmAbout" << "cmdOK" << int(Qt::Key_Return) << "click frmAbout.cmdOK";
    QTest::newRow("About, keypad Enter") << "frmAbout" << "picIcon" << int(Qt::Key_Enter) << "click frmAbout.cmdOK";
    QTest::newRow("About, Esc") << "frmAbout" << "picIcon" << int(Qt::Key_Escape) << "click frmAbout.cmdOK";
    QTest::newRow("About, Esc on the other button")
        << "frmAbout" << "cmdSysInfo" << int(Qt::Key_Escape) << "click frmAbout.cmdOK";
    QTest::newRow("About, Enter on the focused button")
        << "frmAbout" << "cmdSysInfo" << int(Qt::Key_Return) << "click frmAbout.cmdSysInfo";
    QTest::newRow("cover, Esc") << "Form1" << "cmdCont" << int(Qt::Key_Escape) << "click Form1.Command1";
    QTest::newRow("cover, Enter on the focused button")
        << "Form1" << "cmdCont" << int(Qt::Key_Return) << "click Form1.cmdCont";
    QTest::newRow("calculation, Esc") << "Form2" << "Text2" << int(Qt::Key_Escape) << "";
    QTest::newRow("calculation, Enter in a field") << "Form2" << "Text2" << int(Qt::Key_Return) << "";
}

void KeyboardTest::defaultAndCancelButtons()
{
    QFETCH(QString, form);
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, clicked);
    QtHarness h;
    const QByteArray formName = form.toUtf8();
    QVERIFY(h.open(formName.constData()));
    QVERIFY(h.focus(formName.constData(), focus.toUtf8().constData()));
    h.events.log.clear();
    press(h, form, key);
    const QStringList expected = clicked.isEmpty() ? QStringList() : QStringList{clicked};
    QTRY_COMPARE(h.events.matching("click"), expected);
    QTest::qWait(50);
    QCOMPARE(h.events.matching("click"), expected);
}

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
