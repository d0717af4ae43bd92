// Control events of the Qt runtime against real widgets under a real X
// server and window manager: Change, KeyPress, the field's leave and its
// order with the click that caused it, and refused leaves.

#include "tests/platform/qt/ModalAnswer.h"
#include "tests/platform/qt/QtHarness.h"

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

using namespace dravelo;
using namespace dravelo::testing;
using platform::ControlId;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgDefault;
using platform::MsgIcon;

namespace {

constexpr const char* kForm2 = forms::kForm2;

// The leave handler of the entry fields when the entry is refused: a
// message, the field emptied, the focus back.
void refuseLeaving(QtHarness& h, const char* field)
{
    h.events.onLostFocus = [&h, field](const ControlId& id) {
        if (id.name != field)
            return;
        h.runtime.msgBox("Usare i numeri !", MsgButtons::Ok, MsgIcon::Exclamation, MsgDefault::First);
        h.runtime.setText(id, "");
        h.runtime.setFocus(id);
    };
}

} // namespace

class ControlEventsTest : public QObject {
    Q_OBJECT

private slots:
    void changeRunsAfterEveryTextChange();
    void changeHandlerMayEmptyTheFieldWhileTyping();
    void veryLongTextIsKeptWhole();
    void keyPressSeesEveryCharacterKey();
    void keyPressHandlerMayCancelOrReplaceTheKey();
    void enterMovingTheFocusDoesNotPressTheNewButton();
    void keypadDecimalTypesTheRegionalSeparator();
    void leaveRunsWhenTheFocusMovesWithinTheWindow_data();
    void leaveRunsWhenTheFocusMovesWithinTheWindow();
    void noLeaveForAMessageBoxOrAnotherWindow();
    void refusedLeaveCancelsTheClick_data();
    void refusedLeaveCancelsTheClick();
};

void ControlEventsTest::changeRunsAfterEveryTextChange()
{
    QtHarness h;
    QVERIFY(h.open(kForm2));
    QVERIFY(h.focus(kForm2, "Text2"));
    QLineEdit* text2 = h.field("Text2");

    QTest::keyClicks(text2, "12");
    QCOMPARE(h.events.matching("change").size(), 2);

    h.runtime.setText({kForm2, "Text2"}, "3");
    QCOMPARE(h.events.matching("change").size(), 3);
    QCOMPARE(h.runtime.text({kForm2, "Text2"}), std::string("3"));
    h.runtime.setText({kForm2, "Text2"}, "3");
    QCOMPARE(h.events.matching("change").size(), 3); // same text: no change

    QApplication::clipboard()->setText(QStringLiteral("1.5"));
    text2->selectAll();
    QTest::keyClick(text2, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(text2->text(), QStringLiteral("1.5"));
    QCOMPARE(h.events.matching("change").size(), 4);
    QCOMPARE(h.events.matching("change").constLast(), QStringLiteral("change Form2.Text2"));
}

void ControlEventsTest::changeHandlerMayEmptyTheFieldWhileTyping()
{
    QtHarness h;
    QVERIFY(h.open(kForm2));
    QVERIFY(h.focus(kForm2, "Text2"));
    h.events.log.clear();
    // The point rule: a point typed at the end is refused at once.
    h.events.onChange = [&h](const ControlId& id) {
        const std::string text = h.runtime.text(id);
        if (text.empty() || text.back() != '.')
            return;
        h.runtime.msgBox("Usare la virgola invece del punto !", MsgButtons::Ok, MsgIcon::Exclamation,
                         MsgDefault::First);
        h.runtime.setText(id, "");
        h.runtime.setFocus(id);
    };
    ModalAnswer ok([](QWidget* box) { pressKeyIn(box, Qt::Key_Return); });
    QVERIFY(xdotool({"type", "--delay", "30", "12."}));
    QTRY_VERIFY(ok.answered());
    QTRY_COMPARE(QApplication::activeWindow(), h.window(kForm2));
    QTRY_COMPARE(QApplication::focusWidget(), h.widget(kForm2, "Text2"));
    QCOMPARE(h.field("Text2")->text(), QString());
    // Real keys reach the window only once the window manager has given it
    // the focus back, which may come after Qt's own activation under load.
    QVERIFY(waitForWindowManagerFocus(h.window(kForm2)));
    QVERIFY(xdotool({"type", "--delay", "30", "7"}));
    QTRY_COMPARE(h.field("Text2")->text(), QStringLiteral("7"));
    QCOMPARE(h.events.matching("lostFocus"), QStringList());
}

void ControlEventsTest::veryLongTextIsKeptWhole()
{
    QtHarness h;
    QVERIFY(h.open(kForm2));
    QVERIFY(h.focus(kForm2, "Text1"));
    const QString longText(1'000'000, u'9');
    QApplication::clipboard()->setText(longText);
    QTest::keyClick(h.field("Text1"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(h.field("Text1")->text().size(), longText.size());
    QCOMPARE(h.events.matching("change").size(), 1);
    h.runtime.setText({kForm2, "Text2"}, std::string(100'000, 'x'));
    QCOMPARE(h.runtime.text({kForm2, "Text2"}).size(), std::size_t(100'000));
}

void ControlEventsTest::keyPressSeesEveryCharacterKey()
{
    QtHarness h;
    QVERIFY(h.open(kForm2));
    QVERIFY(h.focus(kForm2, "Text3"));
    QLineEdit* text3 = h.field("Text3");
    QSignalSpy returns(text3, &QLineEdit::returnPressed);

    QTest::keyClicks(text3, "a1,");
    QTest::keyClick(text3, Qt::Key_Backspace);
    QTest::keyClick(text3, Qt::Key_Return);
    QTest::keyClick(text3, Qt::Key_Left); // no character: no KeyPress
    QCOMPARE(h.events.matching("keyPress"),
             QStringList({"keyPress Form2.Text3 97", "keyPress Form2.Text3 49", "keyPress Form2.Text3 44",
                          "keyPress Form2.Text3 8", "keyPress Form2.Text3 13"}));
    // The handler leaves the keys alone: the field's own handling follows.
    QCOMPARE(text3->text(), QStringLiteral("a1"));
    QCOMPARE(returns.count(), 1);
}

void ControlEventsTest::keyPressHandlerMayCancelOrReplaceTheKey()
{
    QtHarness h;
    QVERIFY(h.open(kForm2));
    QVERIFY(h.focus(kForm2, "Text1"));
    h.events.onKeyPress = [](const ControlId&, std::int16_t& keyAscii) {
        if (keyAscii == 'x')
            keyAscii = 0;
        else if (keyAscii == 'a')
            keyAscii = 'b';
    };
    QTest::keyClicks(h.field("Text1"), "axc");
    QCOMPARE(h.field("Text1")->text(), QStringLiteral("bc"));
}

void ControlEventsTest::enterMovingTheFocusDoesNotPressTheNewButton()
{
    QtHarness h;
    QVERIFY(h.open(kForm2));
    QVERIFY(h.focus(kForm2, "Text6"));
    h.events.log.clear();
    h.events.onKeyPress = [&h](const ControlId& id, std::int16_t& keyAscii) {
        if (id.name == "Text6" && keyAscii == 13)
            h.runtime.setFocus({kForm2, "Command4"});
    };
    QTest::keyClick(h.window(kForm2)->windowHandle(), Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), h.widget(kForm2, "Command4"));
    QTest::qWait(50);
    QCOMPARE(h.events.log, QStringList({"keyPress Form2.Text6 13", "lostFocus Form2.Text6"}));
}

void ControlEventsTest::keypadDecimalTypesTheRegionalSeparator()
{
    QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(",")); // run under Italian settings
    QtHarness h;
    QVERIFY(h.open(kForm2));
    QVERIFY(h.focus(kForm2, "Text2"));
    QLineEdit* text2 = h.field("Text2");
    QTest::keyClicks(text2, "12");
    QTest::keyClick(text2, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(text2, "5");
    QCOMPARE(text2->text(), QStringLiteral("12,5"));
    QVERIFY(h.events.log.contains("keyPress Form2.Text2 44"));
    // The main keyboard's point stays a point.
    QTest::keyClick(text2, Qt::Key_Period);
    QCOMPARE(text2->text(), QStringLiteral("12,5."));
    // The real key of the X keyboard.
    text2->clear();
    QVERIFY(xdotool({"type", "--delay", "30", "7"}));
    QVERIFY(xdotool({"key", "--delay", "30", "KP_Decimal", "KP_5"}));
    QTRY_COMPARE(text2->text(), QStringLiteral("7,5"));
}

void ControlEventsTest::leaveRunsWhenTheFocusMovesWithinTheWindow_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("expected");
    const QString leave = QStringLiteral("lostFocus Form2.Text2");
    QTest::newRow("Tab") << "tab" << "Text3" << QStringList{leave};
    QTest::newRow("program") << "program" << "Text9" << QStringList{leave};
    QTest::newRow("mouse on a field") << "mouse" << "Text5" << QStringList{leave};
    QTest::newRow("mouse on a button") << "mouse" << "Command4" << QStringList{leave, "click Form2.Command4"};
    QTest::newRow("access key") << "Alt+C" << "Command4" << QStringList{leave, "click Form2.Command4"};
}

void ControlEventsTest::leaveRunsWhenTheFocusMovesWithinTheWindow()
{
    QFETCH(QString, how);
    QFETCH(QString, target);
    QFETCH(QStringList, expected);
    QtHarness h;
    QVERIFY(h.open(kForm2));
    QVERIFY(h.focus(kForm2, "Text2"));
    h.events.log.clear();
    QWidget* targetWidget = h.widget(kForm2, target.toUtf8().constData());

    if (how == "tab")
        QTest::keyClick(h.window(kForm2)->windowHandle(), Qt::Key_Tab);
    else if (how == "program")
        h.runtime.setFocus({kForm2, target.toStdString()});
    else if (how == "mouse")
        QVERIFY(realClick(targetWidget));
    else
        QTest::keyClick(h.window(kForm2)->windowHandle(), Qt::Key_C, Qt::AltModifier);

    QTRY_COMPARE(h.events.log, expected);
    QTRY_COMPARE(QApplication::focusWidget(), targetWidget);
    QTest::qWait(50);
    QCOMPARE(h.events.log, expected); // exactly once
}

void ControlEventsTest::noLeaveForAMessageBoxOrAnotherWindow()
{
    QtHarness h;
    QVERIFY(h.open(forms::kForm1));
    QVERIFY(h.open(kForm2));
    QVERIFY(h.focus(kForm2, "Text2"));
    h.events.log.clear();

    ModalAnswer ok([](QWidget* box) { pressKeyIn(box, Qt::Key_Return); });
    QCOMPARE(h.runtime.msgBox("Usare i numeri !", MsgButtons::Ok, MsgIcon::Exclamation, MsgDefault::First),
             MsgAnswer::Ok);
    QVERIFY(ok.answered());
    // The window that was active is active again, the focus where it was.
    QTRY_COMPARE(QApplication::activeWindow(), h.window(kForm2));
    QTRY_COMPARE(QApplication::focusWidget(), h.widget(kForm2, "Text2"));

    h.window(forms::kForm1)->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window(forms::kForm1)));
    h.window(kForm2)->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window(kForm2)));
    QTRY_COMPARE(QApplication::focusWidget(), h.widget(kForm2, "Text2"));
    QCOMPARE(h.events.matching("lostFocus"), QStringList());
}

void ControlEventsTest::refusedLeaveCancelsTheClick_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QStringList>("afterAccepting");
    const QString leave = QStringLiteral("lostFocus Form2.Text2");
    QTest::newRow("mouse") << "mouse" << QStringList{leave, "click Form2.Command4"};
    QTest::newRow("access key") << "access key" << QStringList{leave, "click Form2.Command4"};
    QTest::newRow("Tab") << "Tab" << QStringList{leave};
}

void ControlEventsTest::refusedLeaveCancelsTheClick()
{
    QFETCH(QString, how);
    QFETCH(QStringList, afterAccepting);
    QtHarness h;
    QVERIFY(h.open(kForm2));
    QVERIFY(h.focus(kForm2, "Text2"));
    QTest::keyClicks(h.field("Text2"), "abc");
    refuseLeaving(h, "Text2");
    h.events.log.clear();
    QPushButton* calcola = h.button(kForm2, "Command4");

    // Real X events: the mouse button goes up while the box is up.
    auto leaveTheField = [&] {
        if (how == "mouse")
            return realClick(calcola);
        return xdotool({"key", how == "Tab" ? "Tab" : "alt+c"});
    };
    ModalAnswer ok([](QWidget* box) { pressKeyIn(box, Qt::Key_Return); });
    QVERIFY(leaveTheField());
    QTRY_VERIFY(ok.answered());
    QTRY_COMPARE(QApplication::activeWindow(), h.window(kForm2));
    QTRY_COMPARE(QApplication::focusWidget(), h.widget(kForm2, "Text2"));
    QTest::qWait(200);
    QCOMPARE(h.events.matching("click"), QStringList());
    QCOMPARE(h.events.matching("lostFocus"), QStringList({"lostFocus Form2.Text2"}));
    QVERIFY(!calcola->isDown());
    QCOMPARE(h.field("Text2")->text(), QString());

    // Accepted this time: the leave runs, then the click.
    h.events.onLostFocus = nullptr;
    h.events.log.clear();
    QVERIFY(leaveTheField());
    QTRY_COMPARE(h.events.log, afterAccepting);
}

QTEST_MAIN(ControlEventsTest)
#include "ControlEventsTest.moc"
