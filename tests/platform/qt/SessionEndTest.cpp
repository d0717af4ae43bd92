// The desktop session ending while one of the calculation window's boxes is
// open, with the real program's handlers: the user answers Yes to the exit
// question, and the program ends there. The handler the box interrupted
// must not act any more (no field changed, no box, no report written), and
// every event loop, the nested ones and the main one, returns with status 0.

#include "app/Program.h"
#include "forms/Designs.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/QtRuntime.h"
#include "platform/qt/SessionEnd.h"
#include "platform/qt/Translations.h"
#include "tests/platform/qt/ModalAnswer.h"

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace dravelo;
using namespace dravelo::testing;

namespace {

constexpr const char* kForm2 = forms::kForm2;
const QString kExitQuestion = QStringLiteral("Chiudere il programma ?");
// A program that never ends fails instead of hanging the test.
constexpr int kGiveUpMs = 30000;
constexpr int kGaveUp = 1;

// Runs the test in its own scratch directory, where a report would be saved.
class InScratchDirectory {
public:
    explicit InScratchDirectory(const QString& path) : previous_(QDir::currentPath()) { QDir::setCurrent(path); }
    ~InScratchDirectory() { QDir::setCurrent(previous_); }
    InScratchDirectory(const InScratchDirectory&) = delete;
    InScratchDirectory& operator=(const InScratchDirectory&) = delete;

private:
    QString previous_;
};

// The text of every box the program shows, in order.
class BoxesShown : public QObject {
public:
    BoxesShown() { qApp->installEventFilter(this); }
    ~BoxesShown() override { qApp->removeEventFilter(this); }
    QStringList texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        if (auto* box = qobject_cast<QMessageBox*>(watched))
            texts << box->text();
        else if (auto* input = qobject_cast<QInputDialog*>(watched))
            texts << input->labelText();
        return false;
    }
};

// A server that takes connections (the system queues them) and never answers.
class SilentServer {
public:
    SilentServer() : fd_(socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&address), length) == 0 && listen(fd_, 8) == 0 &&
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            port_ = ntohs(address.sin_port);
    }
    ~SilentServer()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    int port() const { return port_; }

private:
    int fd_;
    int port_ = 0;
};

} // namespace

class SessionEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { platform::qt::installQtTranslations(); }
    void endsCleanlyFromInsideABox_data();
    void endsCleanlyFromInsideABox();
    void endsCleanlyDuringAPrintWait();
};

void SessionEndTest::endsCleanlyFromInsideABox_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("boxText");
    QTest::newRow("message box of a field") << "message" << "Usare la virgola invece del punto !";
    QTest::newRow("file name of the report") << "input" << "Nome file - Max 8 caratteri";
}

void SessionEndTest::endsCleanlyFromInsideABox()
{
    QFETCH(QString, box);
    QFETCH(QString, boxText);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const InScratchDirectory inScratch(scratch.path());
    QApplication::setQuitOnLastWindowClosed(false);

    platform::qt::QtRuntime runtime(forms::allDesigns());
    app::Program program(runtime);
    runtime.setEvents(&program);
    runtime.show(forms::kForm1);
    runtime.show(kForm2);
    QVERIFY(QTest::qWaitForWindowActive(runtime.window(kForm2)));
    auto* text2 = qobject_cast<QLineEdit*>(runtime.widget({kForm2, "Text2"}));
    auto* save = qobject_cast<QPushButton*>(runtime.widget({kForm2, "Command5"}));
    QVERIFY(text2 && save);
    QStringList text2Texts;
    QObject::connect(text2, &QLineEdit::textChanged, text2, [&](const QString& t) { text2Texts << t; });

    BoxesShown boxes;
    bool mayEnd = false;
    // The session manager asks while the box is open; the user says Yes.
    ModalAnswer sessionEnds([&](QWidget*) {
        ModalAnswer yes([](QWidget* exitBox) { pressKeyIn(exitBox, Qt::Key_S); });
        mayEnd = platform::qt::sessionMayEnd(runtime);
    });
    QTimer::singleShot(0, [&] {
        if (box == "message")
            QTest::keyClicks(text2, QStringLiteral("1."));
        else
            save->click();
    });
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(kGaveUp); });
    giveUp.start(kGiveUpMs);
    const int status = QApplication::exec();

    QCOMPARE(status, 0);
    QVERIFY(sessionEnds.answered());
    QVERIFY(mayEnd);
    QVERIFY(runtime.ended());
    QCOMPARE(boxes.texts, QStringList({boxText, kExitQuestion}));
    if (box == "message")
        QCOMPARE(text2Texts, QStringList({"1", "1."}));
    QCOMPARE(QDir(scratch.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

// "Stam&pa" waits for a print server that takes the connection and never
// answers; the session manager asks meanwhile. The question comes up at
// once, Yes ends the program there, and the abandoned print says nothing.
void SessionEndTest::endsCleanlyDuringAPrintWait()
{
    SilentServer silent;
    QVERIFY(silent.port() > 0);
    qputenv("CUPS_SERVER", QByteArray("127.0.0.1:") + QByteArray::number(silent.port()));
    QApplication::setQuitOnLastWindowClosed(false);

    platform::qt::QtRuntime runtime(forms::allDesigns());
    app::Program program(runtime);
    runtime.setEvents(&program);
    runtime.show(forms::kForm1);
    runtime.show(kForm2);
    QVERIFY(QTest::qWaitForWindowActive(runtime.window(kForm2)));
    auto* print = qobject_cast<QPushButton*>(runtime.widget({kForm2, "Command3"}));
    QVERIFY(print);

    BoxesShown boxes;
    bool mayEnd = false;
    QElapsedTimer waited;
    qint64 asked = -1;
    QTimer::singleShot(0, [&] {
        waited.start();
        print->click();
    });
    QTimer::singleShot(500, [&] {
        asked = waited.elapsed();
        ModalAnswer yes([](QWidget* exitBox) { pressKeyIn(exitBox, Qt::Key_S); });
        mayEnd = platform::qt::sessionMayEnd(runtime);
    });
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(kGaveUp); });
    giveUp.start(kGiveUpMs);
    const int status = QApplication::exec();
    qunsetenv("CUPS_SERVER");

    QCOMPARE(status, 0);
    QVERIFY(mayEnd);
    QVERIFY(runtime.ended());
    QCOMPARE(boxes.texts, QStringList({kExitQuestion}));
    // Asked during the wait, not after the print service's limit.
    QVERIFY2(asked >= 0 && asked < 5000, qPrintable(QString::number(asked)));
}

QTEST_MAIN(SessionEndTest)
#include "SessionEndTest.moc"
