// Window life cycle and standard dialogs of the Qt runtime: one instance per
// window, close queries for unload, the close box and the session's end,
// the end of the program, and the message and input boxes.

#include "platform/qt/SessionEnd.h"
#include "platform/qt/Translations.h"
#include "tests/platform/qt/ModalAnswer.h"
#include "tests/platform/qt/QtHarness.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

using namespace dravelo;
using namespace dravelo::testing;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgDefault;
using platform::MsgIcon;
using platform::UnloadMode;

namespace {

constexpr const char* kForm1 = forms::kForm1;
constexpr const char* kForm2 = forms::kForm2;
constexpr const char* kAbout = forms::kFrmAbout;

struct BoxSeen {
    QString title;
    QString text;
    QStringList buttons; // without the access-key marks
    QString defaultButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::WindowModality modality = Qt::NonModal;
};

BoxSeen look(QWidget* widget)
{
    BoxSeen seen;
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (!box)
        return seen;
    seen.title = box->windowTitle();
    seen.text = box->text();
    for (QAbstractButton* b : box->buttons())
        seen.buttons << b->text().remove(u'&');
    seen.buttons.sort();
    if (box->defaultButton())
        seen.defaultButton = box->defaultButton()->text().remove(u'&');
    seen.icon = box->icon();
    seen.modality = box->windowModality();
    return seen;
}

} // namespace

Q_DECLARE_METATYPE(MsgButtons)
Q_DECLARE_METATYPE(MsgIcon)
Q_DECLARE_METATYPE(MsgDefault)
Q_DECLARE_METATYPE(MsgAnswer)

class WindowLifecycleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { platform::qt::installQtTranslations(); }
    void showLoadsOnceAndBringsToFront();
    void windowsOpenAsDesigned();
    void unloadRaisesTheCloseQuery_data();
    void unloadRaisesTheCloseQuery();
    void closeBoxRaisesTheSameQuery();
    void aboutBoxUnloadsFromItsOwnButton_data();
    void aboutBoxUnloadsFromItsOwnButton();
    void programEndsFromAButtonClick();
    void endProgramClosesEveryWindowAtOnce();
    void sessionEndAsksTheLoadedWindows();
    void messageBox_data();
    void messageBox();
    void messageBoxCopiesItsText();
    void inputBox_data();
    void inputBox();
};

void WindowLifecycleTest::showLoadsOnceAndBringsToFront()
{
    QtHarness h;
    QVERIFY(h.open(kForm1));
    QTRY_COMPARE(QApplication::focusWidget(), h.widget(kForm1, "cmdCont"));
    QVERIFY(h.open(kForm2));
    QWidget* form2 = h.window(kForm2);
    h.runtime.setText({kForm2, "Text1"}, "Metano");

    QVERIFY(h.open(kForm1));
    QVERIFY(h.open(kForm2));
    QCOMPARE(h.events.matching("load"), QStringList({"load Form1", "load Form2"}));
    QCOMPARE(h.window(kForm2), form2);
    QCOMPARE(h.runtime.text({kForm2, "Text1"}), std::string("Metano"));
    QTRY_COMPARE(QApplication::focusWidget(), h.widget(kForm2, "Text1"));
}

void WindowLifecycleTest::windowsOpenAsDesigned()
{
    QtHarness h;
    QVERIFY(h.open(kForm1));
    QVERIFY(h.open(kAbout));
    QTRY_VERIFY(h.window(kForm1)->windowState() & Qt::WindowMaximized);
    QCOMPARE(h.window(kForm1)->windowTitle(), QStringLiteral("Zerut"));

    QWidget* about = h.window(kAbout);
    QCOMPARE(about->windowTitle(), QStringLiteral("Informazioni su Dravelo"));
    QVERIFY(!(about->windowState() & Qt::WindowMaximized));
    QVERIFY(!(about->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    // Client 5730 x 3555 twips at 2340, 1935: fixed.
    QCOMPARE(about->size(), QSize(382, 237));
    QCOMPARE(about->minimumSize(), about->maximumSize());
    QTRY_COMPARE(about->geometry().topLeft(), QPoint(156, 129));
    QTRY_COMPARE(QApplication::focusWidget(), h.widget(kAbout, "cmdOK"));
}

void WindowLifecycleTest::unloadRaisesTheCloseQuery_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("kept") << true;
    QTest::newRow("unloaded") << false;
}

void WindowLifecycleTest::unloadRaisesTheCloseQuery()
{
    QFETCH(bool, cancel);
    QtHarness h;
    QVERIFY(h.open(kForm1));
    QVERIFY(h.open(kAbout));
    QPointer<QWidget> about = h.window(kAbout);
    h.events.onQueryUnload = [cancel](const std::string&, std::int16_t& c, UnloadMode) {
        if (cancel)
            c = platform::kTrue;
    };
    h.events.log.clear();
    h.runtime.unload(kAbout);
    QCOMPARE(h.events.log, QStringList({"queryUnload frmAbout 1"}));
    QCOMPARE(h.runtime.isLoaded(kAbout), cancel);
    if (cancel) {
        QVERIFY(about->isVisible());
        return;
    }
    QVERIFY(!about || !about->isVisible());
    QTRY_VERIFY(!about); // destroyed
    // Loaded afresh on the next show.
    QVERIFY(h.open(kAbout));
    QCOMPARE(h.events.matching("load"), QStringList({"load frmAbout"}));
}

void WindowLifecycleTest::closeBoxRaisesTheSameQuery()
{
    QtHarness h;
    QVERIFY(h.open(kForm1));
    QVERIFY(h.open(kForm2));
    bool keep = true;
    h.events.onQueryUnload = [&keep](const std::string&, std::int16_t& c, UnloadMode) {
        if (keep)
            c = platform::kTrue;
    };
    h.events.log.clear();
    QVERIFY(xdotool({"key", "alt+F4"}));
    QTRY_COMPARE(h.events.log, QStringList({"queryUnload Form2 0"}));
    QTest::qWait(100);
    QVERIFY(h.window(kForm2)->isVisible());
    QVERIFY(h.runtime.isLoaded(kForm2));

    keep = false;
    h.window(kForm2)->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window(kForm2)));
    QVERIFY(waitForWindowManagerFocus(h.window(kForm2)));
    QVERIFY(xdotool({"key", "alt+F4"}));
    QTRY_VERIFY(!h.runtime.isLoaded(kForm2));
    QVERIFY(h.runtime.isLoaded(kForm1));
}

void WindowLifecycleTest::aboutBoxUnloadsFromItsOwnButton_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Enter") << "Return";
    QTest::newRow("Esc") << "Escape";
    QTest::newRow("mouse") << "mouse";
}

void WindowLifecycleTest::aboutBoxUnloadsFromItsOwnButton()
{
    QFETCH(QString, how);
    QtHarness h;
    h.events.onClick = [&h](const platform::ControlId& id) {
        if (id.name == "cmdOK")
            h.runtime.unload(id.form);
    };
    QVERIFY(h.open(kForm1));
    for (int round = 0; round < 2; ++round) {
        QVERIFY(h.open(kAbout));
        QPointer<QWidget> about = h.window(kAbout);
        if (how == "mouse")
            QVERIFY(realClick(h.widget(kAbout, "cmdOK")));
        else
            QVERIFY(xdotool({"key", how}));
        QTRY_VERIFY(!about);
        QVERIFY(!h.runtime.isLoaded(kAbout));
        QTRY_COMPARE(QApplication::activeWindow(), h.window(kForm1));
        QVERIFY(waitForWindowManagerFocus(h.window(kForm1)));
    }
    QCOMPARE(h.events.matching("load frmAbout").size(), 2);
    QCOMPARE(h.events.matching("queryUnload"), QStringList({"queryUnload frmAbout 1", "queryUnload frmAbout 1"}));
}

void WindowLifecycleTest::programEndsFromAButtonClick()
{
    QtHarness h;
    h.events.onClick = [&h](const platform::ControlId& id) { h.runtime.unload(id.form); };
    h.events.onQueryUnload = [&h](const std::string&, std::int16_t&, UnloadMode) { h.runtime.endProgram(); };
    QVERIFY(h.open(kForm1));
    QPointer<QWidget> form1 = h.window(kForm1);
    QVERIFY(realClick(h.widget(kForm1, "cmdExit")));
    QTRY_VERIFY(h.runtime.ended());
    QVERIFY(!form1 || !form1->isVisible());
    QCOMPARE(h.events.log, QStringList({"load Form1", "click Form1.cmdExit", "queryUnload Form1 1"}));
}

void WindowLifecycleTest::endProgramClosesEveryWindowAtOnce()
{
    QtHarness h;
    QVERIFY(h.open(kForm1));
    QVERIFY(h.open(kAbout));
    QVERIFY(h.open(kForm2));
    QVERIFY(h.focus(kForm2, "Text2"));
    std::vector<QPointer<QWidget>> windows{h.window(kForm1), h.window(kForm2), h.window(kAbout)};
    h.events.onQueryUnload = [&h](const std::string&, std::int16_t&, UnloadMode) { h.runtime.endProgram(); };
    h.events.log.clear();

    QVERIFY(xdotool({"key", "alt+F4"}));
    QTRY_VERIFY(h.runtime.ended());
    for (const QPointer<QWidget>& w : windows)
        QVERIFY(!w || !w->isVisible());
    for (const char* form : {kForm1, kForm2, kAbout})
        QVERIFY(!h.runtime.isLoaded(form));
    QTest::qWait(100);
    // No leave for the field that had the focus, no other window asked.
    QCOMPARE(h.events.log, QStringList({"queryUnload Form2 0"}));
    h.runtime.show(kForm1);
    QVERIFY(!h.runtime.isLoaded(kForm1));
    QCOMPARE(h.events.log.size(), 1);
}

void WindowLifecycleTest::sessionEndAsksTheLoadedWindows()
{
    QtHarness h;
    QVERIFY(h.open(kForm1));
    QVERIFY(h.open(kForm2));
    bool answerYes = false;
    h.events.onQueryUnload = [&](const std::string&, std::int16_t& cancel, UnloadMode) {
        if (answerYes)
            h.runtime.endProgram();
        else
            cancel = platform::kTrue;
    };
    h.events.log.clear();
    QVERIFY(!platform::qt::sessionMayEnd(h.runtime));
    QCOMPARE(h.events.log, QStringList({"queryUnload Form1 2"}));
    QVERIFY(h.runtime.isLoaded(kForm1) && h.runtime.isLoaded(kForm2));

    answerYes = true;
    h.events.log.clear();
    QVERIFY(platform::qt::sessionMayEnd(h.runtime));
    QCOMPARE(h.events.log, QStringList({"queryUnload Form1 2"}));
    QVERIFY(h.runtime.ended());
}

void WindowLifecycleTest::messageBox_data()
{
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<MsgIcon>("icon");
    QTest::addColumn<MsgDefault>("defaultButton");
    QTest::addColumn<int>("key");
    QTest::addColumn<MsgAnswer>("expected");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("defaultWord");
    QTest::addColumn<int>("qtIcon");
    const QStringList yesNo{QStringLiteral("No"), QStringLiteral("Sì")};
    const QStringList ok{QStringLiteral("OK")};
    QTest::newRow("exit question, Enter") << MsgButtons::YesNo << MsgIcon::Question << MsgDefault::Second
                                          << int(Qt::Key_Return) << MsgAnswer::No << yesNo << "No"
                                          << int(QMessageBox::Question);
    QTest::newRow("exit question, Esc") << MsgButtons::YesNo << MsgIcon::Question << MsgDefault::Second
                                        << int(Qt::Key_Escape) << MsgAnswer::No << yesNo << "No"
                                        << int(QMessageBox::Question);
    QTest::newRow("exit question, S") << MsgButtons::YesNo << MsgIcon::Question << MsgDefault::Second
                                      << int(Qt::Key_S) << MsgAnswer::Yes << yesNo << "No"
                                      << int(QMessageBox::Question);
    QTest::newRow("Yes first, Enter") << MsgButtons::YesNo << MsgIcon::None << MsgDefault::First
                                      << int(Qt::Key_Return) << MsgAnswer::Yes << yesNo << QString::fromUtf8("Sì")
                                      << int(QMessageBox::NoIcon);
    QTest::newRow("input message, Enter") << MsgButtons::Ok << MsgIcon::Exclamation << MsgDefault::First
                                          << int(Qt::Key_Return) << MsgAnswer::Ok << ok << "OK"
                                          << int(QMessageBox::Warning);
    QTest::newRow("input message, Esc") << MsgButtons::Ok << MsgIcon::Exclamation << MsgDefault::First
                                        << int(Qt::Key_Escape) << MsgAnswer::Ok << ok << "OK"
                                        << int(QMessageBox::Warning);
}

void WindowLifecycleTest::messageBox()
{
    QFETCH(MsgButtons, buttons);
    QFETCH(MsgIcon, icon);
    QFETCH(MsgDefault, defaultButton);
    QFETCH(int, key);
    QFETCH(MsgAnswer, expected);
    QFETCH(QStringList, words);
    QFETCH(QString, defaultWord);
    QFETCH(int, qtIcon);
    QtHarness h;
    QVERIFY(h.open(kForm1));
    BoxSeen seen;
    ModalAnswer answer([&](QWidget* box) {
        seen = look(box);
        pressKeyIn(box, key);
    });
    QCOMPARE(h.runtime.msgBox("Chiudere il programma ?", buttons, icon, defaultButton), expected);
    QVERIFY(answer.answered());
    QCOMPARE(seen.title, QStringLiteral("Dravelo"));
    QCOMPARE(seen.text, QStringLiteral("Chiudere il programma ?"));
    QCOMPARE(seen.buttons, words);
    QCOMPARE(seen.defaultButton, defaultWord);
    QCOMPARE(int(seen.icon), qtIcon);
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    QTRY_COMPARE(QApplication::activeWindow(), h.window(kForm1));
}

void WindowLifecycleTest::messageBoxCopiesItsText()
{
    QtHarness h;
    QVERIFY(h.open(kForm2));
    QString copied;
    ModalAnswer answer([&](QWidget* box) {
        QTest::keyClick(box->windowHandle(), Qt::Key_C, Qt::ControlModifier);
        copied = QApplication::clipboard()->text();
        pressKeyIn(box, Qt::Key_Escape);
    });
    QCOMPARE(h.runtime.msgBox("Chiudere il programma ?", MsgButtons::YesNo, MsgIcon::Question, MsgDefault::Second),
             MsgAnswer::No);
    QVERIFY(answer.answered());
    const QString rule = QStringLiteral("---------------------------\n");
    QVERIFY2(copied.startsWith(rule + "Dravelo\n" + rule + "Chiudere il programma ?\n" + rule), qPrintable(copied));
    QVERIFY2(copied.contains(QString::fromUtf8("Sì")) && copied.contains(QStringLiteral("No")), qPrintable(copied));
    QVERIFY(copied.endsWith(rule));
}

void WindowLifecycleTest::inputBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("OK") << "prova" << int(Qt::Key_Return) << "prova";
    QTest::newRow("OK, nothing typed") << "" << int(Qt::Key_Return) << "";
    QTest::newRow("Cancel") << "prova" << int(Qt::Key_Escape) << "";
}

void WindowLifecycleTest::inputBox()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, expected);
    QtHarness h;
    QVERIFY(h.open(kForm2));
    QString title, prompt, initial;
    Qt::WindowModality modality = Qt::NonModal;
    ModalAnswer answer([&](QWidget* box) {
        auto* dialog = qobject_cast<QInputDialog*>(box);
        if (dialog) {
            title = dialog->windowTitle();
            prompt = dialog->labelText();
            initial = dialog->textValue();
            modality = dialog->windowModality();
        }
        for (QChar c : typed)
            QTest::keyClick(box->windowHandle(), c.toLatin1());
        pressKeyIn(box, key);
    });
    QCOMPARE(QString::fromStdString(h.runtime.inputBox("Nome del file ?", "Salva")), expected);
    QVERIFY(answer.answered());
    QCOMPARE(title, QStringLiteral("Salva"));
    QCOMPARE(prompt, QStringLiteral("Nome del file ?"));
    QCOMPARE(initial, QString());
    QVERIFY(modality != Qt::NonModal);
}

QTEST_MAIN(WindowLifecycleTest)
#include "WindowLifecycleTest.moc"
