#include "platform/QtLongWork.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "platform/Services.h"

namespace platform {
namespace {

constexpr int kPoll_ms = 40;
constexpr int kScale = 1000;

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Drops the input meant for any window but the progress window. A window
// the window system asks to close meanwhile is not forgotten: it closes once
// the work is over, and closing the program's main window (a window without
// an owner) stops the work first.
class InputBlock final : public QObject {
public:
    InputBlock(QWidget& allowed, std::function<void()> stop) : allowed_(allowed), stop_(std::move(stop)) {
        qApp->installEventFilter(this);
    }
    ~InputBlock() override { qApp->removeEventFilter(this); }
    InputBlock(const InputBlock&) = delete;
    InputBlock& operator=(const InputBlock&) = delete;

    // The windows whose closing the window system asked for, in order.
    const std::vector<QPointer<QWidget>>& HeldCloses() const { return held_closes_; }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::HoverMove:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Shortcut:
            case QEvent::ShortcutOverride:
            case QEvent::InputMethod:
            case QEvent::ContextMenu:
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
                if (Allowed(receiver)) return false;
                event->ignore();
                return true;
            case QEvent::Close:
                // A window a handler closes itself still closes.
                if (!event->spontaneous() || Allowed(receiver)) return false;
                HoldClose(receiver);
                event->ignore();
                return true;
            default: return false;
        }
    }

private:
    bool Allowed(QObject* receiver) const {
        for (QObject* o = receiver; o; o = o->parent()) {
            if (o == &allowed_ || o == allowed_.windowHandle()) return true;
        }
        return false;
    }

    // The window system's close reaches the native window first, then its
    // widget.
    static QWidget* WindowOf(QObject* receiver) {
        if (auto* widget = qobject_cast<QWidget*>(receiver)) return widget->window();
        if (auto* window = qobject_cast<QWindow*>(receiver)) {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (top->windowHandle() == window) return top;
            }
        }
        return nullptr;
    }

    void HoldClose(QObject* receiver) {
        QWidget* window = WindowOf(receiver);
        if (!window) return;
        if (std::find(held_closes_.begin(), held_closes_.end(), window) == held_closes_.end()) {
            held_closes_.emplace_back(window);
        }
        if (!window->parentWidget()) stop_();
    }

    QWidget& allowed_;
    std::function<void()> stop_;
    std::vector<QPointer<QWidget>> held_closes_;
};

// The work's thread, stopped and joined on every way out of Run, an exception
// on the waiting side included: the work writes into Run's own variables, and
// a thread left joinable at its end would end the program.
class WorkerThread {
public:
    WorkerThread(WorkProgress& progress, std::function<void()> body)
        : progress_(progress), thread_(std::move(body)) {}
    ~WorkerThread() {
        if (!thread_.joinable()) return;
        progress_.Cancel();
        thread_.join();
    }
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void Join() { thread_.join(); }

private:
    WorkProgress& progress_;
    std::thread thread_;
};

class QtLongWork final : public LongWork {
public:
    QtLongWork() = default;
    explicit QtLongWork(std::function<void()> waiting_step) : waiting_step_(std::move(waiting_step)) {}

    bool Run(const WorkRequest& request, const std::function<void(WorkProgress&)>& work) override {
        WorkProgress progress;
        std::atomic<bool> finished{false};
        std::exception_ptr failure;
        WorkerThread worker(progress, [&] {
            try {
                work(progress);
            } catch (...) {
                failure = std::current_exception();
            }
            finished.store(true, std::memory_order_release);
        });
        std::vector<QPointer<QWidget>> held_closes;
        {
            // Not modal: a modal window would have Qt drop the window
            // system's close of the main window before the block below sees
            // it. The block keeps input from every other window instead.
            QProgressDialog dialog(Q(request.text), QString::fromUtf8("취소"), 0, kScale, QApplication::activeWindow());
            dialog.setWindowTitle(Q(request.title.empty() ? Env().program_name : request.title));
            dialog.setWindowModality(Qt::NonModal);
            dialog.setMinimumDuration(kProgressShowAfter_ms);
            dialog.setAutoClose(false);
            dialog.setAutoReset(false);
            const auto stop = [&] {
                if (progress.Cancelled()) return;
                progress.Cancel();
                dialog.setLabelText(QString::fromUtf8("멈추는 중입니다..."));
            };
            InputBlock block(dialog, stop);
            QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, stop);
            QEventLoop loop;
            QTimer poll;
            poll.setInterval(kPoll_ms);
            QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
                if (finished.load(std::memory_order_acquire)) {
                    loop.quit();
                    return;
                }
                const std::size_t total = progress.Total();
                if (total > 0 && !progress.Cancelled()) {
                    const std::size_t done = std::min(progress.Done(), total);
                    dialog.setValue(static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * kScale));
                }
            });
            dialog.setValue(0);
            poll.start();
            if (waiting_step_) waiting_step_();
            // The caller's handler waits here for the work; the block above
            // keeps every other handler from running meanwhile.
            loop.exec();
            held_closes = block.HeldCloses();
        }
        worker.Join();
        // Closed once the caller's handler has taken the work's result.
        for (const QPointer<QWidget>& window : held_closes) {
            if (window) QMetaObject::invokeMethod(window, "close", Qt::QueuedConnection);
        }
        if (failure) std::rethrow_exception(failure);
        return !progress.Cancelled();
    }

private:
    std::function<void()> waiting_step_;
};

}  // namespace

LongWork& QtLongWorkService() {
    static QtLongWork service;
    return service;
}

std::unique_ptr<LongWork> QtLongWorkWithWaitingStep(std::function<void()> step) {
    return std::make_unique<QtLongWork>(std::move(step));
}

}  // namespace platform
