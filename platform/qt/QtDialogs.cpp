#include "platform/qt/QtDialogs.h"

#include "platform/AppInfo.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

namespace dravelo::platform::qt {

namespace {

// A box has a title and a close button, nothing to minimize or maximize.
constexpr Qt::WindowFlags kBoxFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

QMessageBox::Icon toQtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The box as text, the way the desktop the program comes from copies a
// message box on Ctrl+C: title, text and buttons between rules.
QString boxAsText(const QMessageBox& box)
{
    const QString rule = QStringLiteral("---------------------------\n");
    QString buttons;
    for (QAbstractButton* button : box.buttons())
        buttons += button->text().remove(u'&') + QStringLiteral("   ");
    return rule + box.windowTitle() + u'\n' + rule + box.text() + u'\n' + rule + buttons + u'\n' + rule;
}

// Runs a dialog modal to the whole application, then gives the activation
// back to the window that had it, with the focus where it was left.
template <class Dialog, class Answer>
auto runModal(Dialog* dialog, Answer answer)
{
    QPointer<QWidget> previous = QApplication::activeWindow();
    QPointer<Dialog> alive(dialog);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->exec();
    auto result = answer(alive.data());
    delete alive.data();
    if (previous && previous->isVisible()) {
        previous->raise();
        previous->activateWindow();
    }
    return result;
}

} // namespace

MsgAnswer showMessageBox(QWidget* parent, const std::string& text, MsgButtons buttons, MsgIcon icon,
                         MsgDefault defaultButton)
{
    auto* box = new QMessageBox(parent);
    box->setWindowFlags(kBoxFlags);
    box->setWindowTitle(QString::fromUtf8(kAppTitle));
    box->setTextFormat(Qt::PlainText);
    box->setText(QString::fromStdString(text));
    box->setIcon(toQtIcon(icon));
    QPushButton* first = nullptr;
    QPushButton* second = nullptr;
    if (buttons == MsgButtons::YesNo) {
        first = box->addButton(QMessageBox::Yes);
        second = box->addButton(QMessageBox::No);
        box->setEscapeButton(second);
    } else {
        first = box->addButton(QMessageBox::Ok);
        box->setEscapeButton(first);
    }
    box->setDefaultButton(defaultButton == MsgDefault::Second && second ? second : first);
    auto* copy = new QShortcut(QKeySequence::Copy, box);
    QObject::connect(copy, &QShortcut::activated, box,
                     [box] { QGuiApplication::clipboard()->setText(boxAsText(*box)); });
    return runModal(box, [&](QMessageBox* shown) {
        const bool firstChosen = shown && shown->clickedButton() == first;
        if (buttons == MsgButtons::Ok)
            return MsgAnswer::Ok;
        return firstChosen ? MsgAnswer::Yes : MsgAnswer::No;
    });
}

std::string showInputBox(QWidget* parent, const std::string& prompt, const std::string& title)
{
    auto* dialog = new QInputDialog(parent, kBoxFlags);
    dialog->setWindowTitle(QString::fromStdString(title.empty() ? std::string(kAppTitle) : title));
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setLabelText(QString::fromStdString(prompt));
    dialog->setTextValue(QString());
    return runModal(dialog, [](QInputDialog* shown) {
        if (!shown || shown->result() != QDialog::Accepted)
            return std::string();
        return shown->textValue().toStdString();
    });
}

} // namespace dravelo::platform::qt
