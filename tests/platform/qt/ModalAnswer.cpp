#include "tests/platform/qt/ModalAnswer.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

namespace dravelo::testing {

namespace {
constexpr int kPollMilliseconds = 20;
} // namespace

ModalAnswer::ModalAnswer(std::function<void(QWidget*)> action) : action_(std::move(action))
{
    timer_.setInterval(kPollMilliseconds);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        QWidget* box = QApplication::activeModalWidget();
        if (answered_ || !box || !box->isVisible() || !box->windowHandle() || !box->windowHandle()->isExposed())
            return;
        answered_ = true;
        timer_.stop();
        action_(box);
    });
    timer_.start();
}

ModalAnswer::~ModalAnswer()
{
    timer_.stop();
}

void pressKeyIn(QWidget* box, int key)
{
    QTest::keyClick(box->windowHandle(), static_cast<Qt::Key>(key));
}

} // namespace dravelo::testing
