#include "platform/QtLongWork.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

#include "platform/Services.h"

namespace platform {
namespace {

constexpr int kPoll_ms = 40;
constexpr int kScale = 1000;

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Drops the input meant for any window but the progress window.
class InputBlock final : public QObject {
public:
    explicit InputBlock(QWidget& allowed) : allowed_(allowed) { qApp->installEventFilter(this); }
    ~InputBlock() override { qApp->removeEventFilter(this); }
    InputBlock(const InputBlock&) = delete;
    InputBlock& operator=(const InputBlock&) = delete;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Shortcut:
            case QEvent::ShortcutOverride:
            case QEvent::ContextMenu:
            case QEvent::Drop:
            case QEvent::TouchBegin:
                if (Allowed(receiver)) return false;
                event->ignore();
                return true;
            case QEvent::Close:
                // The window system's close button; a window a handler
                // closes itself still closes.
                if (!event->spontaneous() || Allowed(receiver)) return false;
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

    QWidget& allowed_;
};

class QtLongWork final : public LongWork {
public:
    bool Run(const WorkRequest& request, const std::function<void(WorkProgress&)>& work) override {
        WorkProgress progress;
        std::atomic<bool> finished{false};
        std::exception_ptr failure;
        std::thread worker([&] {
            try {
                work(progress);
            } catch (...) {
                failure = std::current_exception();
            }
            finished.store(true, std::memory_order_release);
        });
        {
            QProgressDialog dialog(Q(request.text), QString::fromUtf8("취소"), 0, kScale, QApplication::activeWindow());
            dialog.setWindowTitle(Q(request.title.empty() ? Env().program_name : request.title));
            dialog.setWindowModality(Qt::ApplicationModal);
            dialog.setMinimumDuration(kProgressShowAfter_ms);
            dialog.setAutoClose(false);
            dialog.setAutoReset(false);
            const InputBlock block(dialog);
            QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&] {
                progress.Cancel();
                dialog.setLabelText(QString::fromUtf8("멈추는 중입니다..."));
            });
            QEventLoop loop;
            QTimer poll;
            poll.setInterval(kPoll_ms);
            // A modal progress window handles events inside setValue: the
            // poll may come back into itself there.
            bool polling = false;
            QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
                if (finished.load(std::memory_order_acquire)) {
                    loop.quit();
                    return;
                }
                if (polling) return;
                polling = true;
                const std::size_t total = progress.Total();
                if (total > 0 && !progress.Cancelled()) {
                    const std::size_t done = std::min(progress.Done(), total);
                    dialog.setValue(static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * kScale));
                }
                polling = false;
            });
            dialog.setValue(0);
            poll.start();
            // The caller's handler waits here for the work; the block above
            // keeps every other handler from running meanwhile.
            loop.exec();
        }
        worker.join();
        if (failure) std::rethrow_exception(failure);
        return !progress.Cancelled();
    }
};

}  // namespace

LongWork& QtLongWorkService() {
    static QtLongWork service;
    return service;
}

}  // namespace platform
