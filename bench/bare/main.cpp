// The floor for a Qt Widgets program: one window with a label, a line edit
// and a button, nothing else loaded. Started with the argument "maximized" it
// opens maximized, as Dravelo's windows do: the floor for a window that fills
// the screen.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

constexpr QLatin1String kMaximizedArgument("maximized");

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Nome combustibile")));
    layout->addWidget(new QLineEdit);
    layout->addWidget(new QPushButton(QStringLiteral("&Calcola")));
    if (QApplication::arguments().contains(kMaximizedArgument))
        window.showMaximized();
    else
        window.show();
    return app.exec();
}
