#include "platform/qt/QtRuntime.h"

#include "platform/DesignRules.h"
#include "platform/qt/ControlEventFilter.h"
#include "platform/qt/DesignStyle.h"
#include "platform/qt/FileServices.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/RegionalFormats.h"
#include "platform/qt/Twips.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>

#include <algorithm>
#include <stdexcept>

namespace dravelo::platform::qt {

namespace {

// Why nothing is written or printed once the program has ended.
constexpr const char* kProgramEnded = "Il programma è terminato.";

// The answer of a box closed without a choice.
MsgAnswer negativeAnswer(MsgButtons buttons)
{
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
}

} // namespace

QtRuntime::QtRuntime(std::vector<FormDesign> designs)
    : designs_(std::move(designs)), filter_(std::make_unique<ControlEventFilter>(*this))
{
    registerFontSubstitution();
    QObject::connect(qApp, &QApplication::focusChanged, filter_.get(),
                     [this](QWidget* old, QWidget* now) { focusChanged(old, now); });
}

QtRuntime::~QtRuntime()
{
    events_ = nullptr;
    ended_ = true;
    for (QPointer<FormWindow>& window : built_)
        delete window.data();
}

const FormDesign& QtRuntime::designOf(const std::string& form) const
{
    for (const FormDesign& design : designs_)
        if (design.name == form)
            return design;
    throw std::logic_error("no design for window " + form);
}

FormWindow* QtRuntime::window(const std::string& form) const
{
    auto found = windows_.find(form);
    return found == windows_.end() ? nullptr : found->second.data();
}

FormWindow& QtRuntime::loadedWindow(const std::string& form) const
{
    FormWindow* w = window(form);
    if (!w)
        throw std::logic_error("window not loaded: " + form);
    return *w;
}

QtRuntime::Found QtRuntime::findControl(const ControlId& id) const
{
    FormWindow& w = loadedWindow(id.form);
    FormControl* control = w.find(id);
    if (!control)
        throw std::logic_error("no control " + id.form + "." + id.name);
    return {&w, control};
}

QWidget* QtRuntime::widget(const ControlId& control) const
{
    FormWindow* w = window(control.form);
    const FormControl* c = w ? w->find(control) : nullptr;
    return c ? c->widget : nullptr;
}

std::vector<std::string> QtRuntime::loadedForms() const
{
    return loadOrder_;
}

void QtRuntime::connectEvents(FormWindow& w)
{
    for (const FormControl& c : w.formControls()) {
        const ControlId id = w.idOf(c);
        if (auto* button = qobject_cast<QPushButton*>(c.widget)) {
            // Every press ends here, whoever made it: the mouse, a key, the
            // accessibility action, the program's own click.
            QObject::connect(button, &QPushButton::clicked, filter_.get(), [this, id, button] {
                if (focusForPress(button))
                    dispatch([&](FormEvents& e) { e.click(id); });
            });
        } else if (auto* field = qobject_cast<QLineEdit*>(c.widget)) {
            QObject::connect(field, &QLineEdit::textChanged, filter_.get(),
                             [this, id] { dispatch([&](FormEvents& e) { e.change(id); }); });
        }
        if (c.widget->focusPolicy() != Qt::NoFocus)
            c.widget->installEventFilter(filter_.get());
    }
    const std::string name = w.formName();
    w.onCloseRequest = [this, name] {
        if (!ended_ && queryClose(name, UnloadMode::FormControlMenu) && !ended_)
            destroyWindow(name);
    };
}

void QtRuntime::show(const std::string& form)
{
    if (ended_)
        return;
    if (FormWindow* shown = window(form)) {
        if (shown->windowState() & Qt::WindowMinimized)
            shown->setWindowState(shown->windowState() & ~Qt::WindowMinimized);
        shown->show();
        shown->raise();
        shown->activateWindow();
        return;
    }
    QPointer<FormWindow> w = new FormWindow(designOf(form), screenTwipsPerPixel());
    built_.push_back(w);
    windows_[form] = w;
    loadOrder_.push_back(form);
    connectEvents(*w);
    if (QWidget* first = w->firstInTabOrder())
        first->setFocus(Qt::OtherFocusReason);
    dispatch([&](FormEvents& e) { e.load(form); });
    if (ended_ || !w || window(form) != w)
        return;
    w->showAsDesigned();
    w->raise();
    w->activateWindow();
}

bool QtRuntime::queryClose(const std::string& form, UnloadMode mode)
{
    if (ended_ || !window(form))
        return true;
    std::int16_t cancel = 0;
    ++closeQueries_;
    dispatch([&](FormEvents& e) { e.queryUnload(form, cancel, mode); });
    --closeQueries_;
    return ended_ || cancel == 0;
}

void QtRuntime::unload(const std::string& form)
{
    if (ended_ || !window(form))
        return;
    if (queryClose(form, UnloadMode::FormCode) && !ended_ && window(form))
        destroyWindow(form);
}

void QtRuntime::destroyWindow(const std::string& form)
{
    auto found = windows_.find(form);
    if (found == windows_.end())
        return;
    QPointer<FormWindow> w = found->second;
    windows_.erase(found);
    loadOrder_.erase(std::remove(loadOrder_.begin(), loadOrder_.end(), form), loadOrder_.end());
    if (w) {
        w->hide();
        // Later: this may run inside one of the window's own handlers.
        w->deleteLater();
    }
}

bool QtRuntime::isLoaded(const std::string& form) const
{
    return window(form) != nullptr;
}

void QtRuntime::endProgram()
{
    if (ended_)
        return;
    ended_ = true;
    std::vector<std::string> forms = loadOrder_;
    for (const std::string& form : forms)
        destroyWindow(form);
    // Ends the running event loop; with none running, exit() would make
    // every later one return at once.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

void QtRuntime::setFormCaption(const std::string& form, const std::string& caption)
{
    if (ended_)
        return;
    loadedWindow(form).setWindowTitle(QString::fromStdString(caption));
}

float QtRuntime::formProperty(const std::string& form, const std::string& name) const
{
    if (ended_)
        return 0;
    return loadedWindow(form).formProperty(name);
}

void QtRuntime::setFormProperty(const std::string& form, const std::string& name, float value)
{
    if (ended_)
        return;
    loadedWindow(form).setFormProperty(name, value);
}

std::vector<ControlId> QtRuntime::controls(const std::string& form) const
{
    if (ended_)
        return {};
    const FormWindow& w = loadedWindow(form);
    std::vector<ControlId> ids;
    for (const FormControl& c : w.formControls())
        ids.push_back(w.idOf(c));
    return ids;
}

ControlKind QtRuntime::kind(const ControlId& control) const
{
    if (ended_)
        return ControlKind::Other;
    return kindOf(findControl(control).control->design.cls);
}

double QtRuntime::property(const ControlId& control, const std::string& name) const
{
    if (ended_)
        return 0;
    const Found found = findControl(control);
    return found.window->property(*found.control, name);
}

void QtRuntime::setProperty(const ControlId& control, const std::string& name, double value)
{
    if (ended_)
        return;
    const Found found = findControl(control);
    found.window->setProperty(*found.control, name, value);
}

std::string QtRuntime::text(const ControlId& control) const
{
    if (ended_)
        return {};
    QWidget* w = findControl(control).control->widget;
    if (auto* field = qobject_cast<QLineEdit*>(w))
        return field->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text().toStdString();
    if (auto* button = qobject_cast<QPushButton*>(w))
        return button->text().toStdString();
    return {};
}

void QtRuntime::setText(const ControlId& control, const std::string& text)
{
    if (ended_)
        return;
    const Found found = findControl(control);
    if (auto* field = qobject_cast<QLineEdit*>(found.control->widget))
        field->setText(QString::fromStdString(text));
    else
        found.window->setCaption(*found.control, QString::fromStdString(text));
}

void QtRuntime::setCaption(const ControlId& control, const std::string& caption)
{
    setText(control, caption);
}

void QtRuntime::setFocus(const ControlId& control)
{
    if (ended_)
        return;
    findControl(control).control->widget->setFocus(Qt::OtherFocusReason);
}

ScreenSize QtRuntime::screen() const
{
    const QRect geometry = primaryScreenGeometry();
    const double twipsPerPixel = screenTwipsPerPixel();
    return {static_cast<float>(geometry.width() * twipsPerPixel), static_cast<float>(geometry.height() * twipsPerPixel)};
}

MsgAnswer QtRuntime::msgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton)
{
    if (ended_)
        return negativeAnswer(buttons);
    return showMessageBox(QApplication::activeWindow(), text, buttons, icon, defaultButton);
}

std::string QtRuntime::inputBox(const std::string& prompt, const std::string& title)
{
    if (ended_)
        return {};
    return showInputBox(QApplication::activeWindow(), prompt, title);
}

QDateTime QtRuntime::now() const
{
    return fixedNow_ ? *fixedNow_ : QDateTime::currentDateTime();
}

std::string QtRuntime::dateText() const
{
    return dateTextOf(QLocale::system(), now().date()).toStdString();
}

std::string QtRuntime::timeText() const
{
    return timeTextOf(QLocale::system(), now().time()).toStdString();
}

NumberFormat QtRuntime::numberFormat() const
{
    return numberFormatOf(QLocale::system());
}

std::string QtRuntime::writeFile(const std::string& path, const std::string& bytes)
{
    if (ended_)
        return kProgramEnded;
    return writeFileAtomically(path, bytes, [this] { return ended_; });
}

std::string QtRuntime::firstMatch(const std::string& pattern) const
{
    return firstFileMatching(pattern);
}

bool QtRuntime::launch(const std::string& program)
{
    if (ended_)
        return false;
    return startProgram(program);
}

std::unique_ptr<PrintJob> QtRuntime::startJob(std::string& whyNot)
{
    if (ended_) {
        whyNot = kProgramEnded;
        return nullptr;
    }
    return startDefaultPrinterJob(whyNot, [this] { return ended_; });
}

} // namespace dravelo::platform::qt
