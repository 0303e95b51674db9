#include "ui/QtWindowPort.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

#include <memory>

#include "settings/qt/DialogNotice.h"
#include "ui/WindowRules.h"

QtWindowPort::QtWindowPort(QWidget& window, Actions actions)
    : window_(window), actions_(std::move(actions)) {}

QtWindowPort::~QtWindowPort() {
    Close();
}

void QtWindowPort::Close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    answered_.notify_all();
}

bool QtWindowPort::Closed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

int QtWindowPort::WaitingCalls() const {
    std::lock_guard lock(mutex_);
    return waiting_;
}

QString QtWindowPort::ControlName(int control) {
    return QStringLiteral("c%1").arg(control);
}

bool QtWindowPort::OnWindowThread() const {
    return QThread::currentThread() == window_.thread();
}

QWidget* QtWindowPort::Control(int control) const {
    return window_.findChild<QWidget*>(ControlName(control));
}

void QtWindowPort::Post(std::function<void()> work) {
    if (OnWindowThread()) {
        if (!Closed()) {
            work();
        }
        return;
    }
    if (Closed()) {
        return;
    }
    // The window is the context: work still queued when it goes is dropped with it.
    QMetaObject::invokeMethod(
        &window_,
        [this, work = std::move(work)] {
            if (!Closed()) {
                work();
            }
        },
        Qt::QueuedConnection);
}

template <typename R>
R QtWindowPort::Call(std::function<R()> work, R fallback) {
    if (OnWindowThread()) {
        return Closed() ? fallback : work();
    }
    struct Answer {
        bool done = false;
        R value{};
    };
    auto answer = std::make_shared<Answer>();
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return fallback;
        }
        ++waiting_;
    }
    QMetaObject::invokeMethod(
        &window_,
        [this, work = std::move(work), answer] {
            if (Closed()) {
                return;
            }
            R value = work();
            {
                std::lock_guard lock(mutex_);
                answer->value = std::move(value);
                answer->done = true;
            }
            answered_.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    answered_.wait(lock, [&] { return answer->done || closed_; });
    --waiting_;
    return answer->done ? answer->value : fallback;
}

void QtWindowPort::SetText(int control, const std::u16string& text) {
    Post([this, control, text = QString::fromStdU16String(text)] {
        QWidget* widget = Control(control);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(text);
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            group->setTitle(text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->setText(text);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget); combo != nullptr && combo->isEditable()) {
            combo->setEditText(text);
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setText(text);
        }
        if (actions_.textSet) {
            actions_.textSet(control, text);
        }
    });
}

void QtWindowPort::EnableControl(int control, bool enable) {
    Post([this, control, enable] {
        if (QWidget* widget = Control(control)) {
            widget->setEnabled(enable);
        }
    });
}

void QtWindowPort::ShowControl(int control, bool show) {
    Post([this, control, show] {
        if (QWidget* widget = Control(control)) {
            widget->setVisible(show);
        }
    });
}

void QtWindowPort::SetCheck(int control, bool checked) {
    Post([this, control, checked] {
        if (auto* button = qobject_cast<QAbstractButton*>(Control(control))) {
            button->setChecked(checked);
        }
    });
}

std::u16string QtWindowPort::GetText(int control) {
    return Call<std::u16string>(
        [this, control] {
            QWidget* widget = Control(control);
            if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                return combo->currentText().toStdU16String();
            }
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                return edit->text().toStdU16String();
            }
            return std::u16string();
        },
        {});
}

int QtWindowPort::SiteSelection() {
    return Call<int>(
        [this] {
            auto* combo = qobject_cast<QComboBox*>(Control(IDC_SITE));
            return combo != nullptr ? combo->currentIndex() : -1;
        },
        -1);
}

bool QtWindowPort::SubModeVisible() {
    // Asked of the box, not of the screen: the window may still be hidden behind the splash.
    return Call<bool>(
        [this] {
            QWidget* box = Control(IDC_SUBMODE);
            return box != nullptr && !box->isHidden();
        },
        false);
}

int QtWindowPort::SubModeSelection() {
    return Call<int>(
        [this] {
            auto* combo = qobject_cast<QComboBox*>(Control(IDC_SUBMODE));
            return combo != nullptr ? combo->currentIndex() : -1;
        },
        -1);
}

int QtWindowPort::MessageBox(const std::u16string& text, const std::u16string& caption, int buttons) {
    const bool yesNo = buttons == MB_YESNO;
    return Call<int>(
        [this, text = QString::fromStdU16String(text),
         title = QString::fromStdU16String(caption.empty() ? WindowRules::TITLE : caption), yesNo] {
            QMessageBox box(yesNo ? QMessageBox::Question : QMessageBox::Information, title, text,
                            yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, &window_);
            box.setObjectName("messageBox");
            FitMessageBoxToTitle(box);
            if (yesNo) {
                box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
                box.button(QMessageBox::No)->setText(QStringLiteral("否"));
            } else {
                box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
            }
            int answer = box.exec();
            if (!yesNo) {
                return static_cast<int>(IDOK);
            }
            return answer == QMessageBox::Yes ? static_cast<int>(IDYES) : static_cast<int>(IDNO);
        },
        yesNo ? IDNO : IDOK);
}

void QtWindowPort::OpenLoginBrowser(const std::u16string& url) {
    if (!actions_.openLoginBrowser) {
        return;
    }
    Call<bool>(
        [this, url = QString::fromStdU16String(url)] {
            actions_.openLoginBrowser(url);
            return true;
        },
        false);
}

void QtWindowPort::OpenFolder(const std::u16string& folder) {
    if (!actions_.openFolder) {
        return;
    }
    Post([this, folder = QString::fromStdU16String(folder)] { actions_.openFolder(folder); });
}

int QtWindowPort::MakeThumbnail(const std::u16string& file) {
    // The image list is safe to fill from any thread; decoding there keeps the window responsive.
    return actions_.makeThumbnail ? actions_.makeThumbnail(file) : -1;
}

void QtWindowPort::AddInputHistoryItem(const std::u16string& text) {
    if (!actions_.addInputHistory) {
        return;
    }
    Post([this, text = QString::fromStdU16String(text)] { actions_.addInputHistory(text); });
}

void QtWindowPort::GridChanged() {
    Post([this] {
        if (actions_.gridChanged) {
            actions_.gridChanged();
        } else if (QWidget* grid = Control(IDC_GRID)) {
            grid->update();
        }
    });
}

std::u16string QtWindowPort::ClipboardText() {
    return Call<std::u16string>([] { return QGuiApplication::clipboard()->text().toStdU16String(); }, {});
}

void QtWindowPort::AlbumStarted(int album, int position, int count) {
    currentAlbum_ = album;
    if (actions_.albumStarted) {
        Post([this, album, position, count] { actions_.albumStarted(album, position, count); });
    }
}

void QtWindowPort::PictureNotSaved(const std::u16string&, const std::u16string& url,
                                   const PictureOutcome& outcome) {
    // Pictures the size limits left out were left out on purpose: they are not failures.
    JobProgress::PictureOutcome kind = outcome.result == PictureResult::Failed
                                           ? JobProgress::PictureOutcome::Failed
                                           : JobProgress::PictureOutcome::Skipped;
    ReportPictureOutcome(currentAlbum_, kind, url, ReasonText(outcome));
}

void QtWindowPort::AlbumEnded(int album, const std::u16string&, const DownloadTally& tally) {
    // "完成" counts what is on disk; a picture that was never tried is not done.
    ReportAlbumOutcome(album, JobProgress::AlbumOutcome{tally.saved, tally.failed + tally.notTried, 0});
}

void QtWindowPort::ReportPictureOutcome(int album, JobProgress::PictureOutcome outcome,
                                        const std::u16string& url, const std::u16string& reason) {
    if (!actions_.pictureOutcome) {
        return;
    }
    Post([this, album, outcome, url, reason] { actions_.pictureOutcome(album, outcome, url, reason); });
}

void QtWindowPort::ReportAlbumOutcome(int album, const JobProgress::AlbumOutcome& outcome) {
    if (!actions_.albumOutcome) {
        return;
    }
    Post([this, album, outcome] { actions_.albumOutcome(album, outcome); });
}
