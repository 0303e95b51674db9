// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/qt/CComboBox2.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QStringListModel>

#include <algorithm>

#include "settings/ComboMatch.h"

namespace {

// The list under the edit shows at most this many entries at once.
constexpr int kVisibleSuggestions = 8;

// The edit's text, cursor and selection, put back after the list under it changed.
struct EditState {
    explicit EditState(const QLineEdit* edit)
        : text(edit->text()),
          cursor(edit->cursorPosition()),
          selectionStart(edit->selectionStart()),
          selectionLength(edit->selectionLength()) {}

    void Restore(QLineEdit* edit) const {
        if (edit->text() != text) {
            edit->setText(text);
        }
        if (selectionStart >= 0 && selectionLength > 0) {
            // Keeps the cursor at the end it was on.
            if (cursor == selectionStart) {
                edit->setSelection(selectionStart + selectionLength, -selectionLength);
            } else {
                edit->setSelection(selectionStart, selectionLength);
            }
        } else {
            edit->setCursorPosition(cursor);
        }
    }

    QString text;
    int cursor;
    int selectionStart;
    int selectionLength;
};

}  // namespace

CComboBox2::CComboBox2(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
    // Long addresses must not widen the window.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(20);

    // The box's own completion would replace the typed text; the matching list below takes its place.
    setCompleter(nullptr);

    suggestionModel_ = new QStringListModel(this);
    // A window of its own above the others that never takes the focus and never grabs the mouse,
    // unlike a pop-up, which would eat the click that closes it and the first Enter.
    suggestions_ = new QListView(this);
    suggestions_->setObjectName(QStringLiteral("suggestions"));
    suggestions_->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    suggestions_->setAttribute(Qt::WA_ShowWithoutActivating);
    suggestions_->setFocusPolicy(Qt::NoFocus);
    suggestions_->setModel(suggestionModel_);
    suggestions_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    suggestions_->setSelectionBehavior(QAbstractItemView::SelectRows);
    suggestions_->setUniformItemSizes(true);
    suggestions_->hide();
    connect(suggestions_, &QListView::clicked, this,
            [this](const QModelIndex& index) { OnSuggestionChosen(index.data().toString()); });
    connect(lineEdit(), &QLineEdit::textEdited, this, &CComboBox2::OnTextEdited);
    lineEdit()->installEventFilter(this);
    connect(this, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { emit SelectionChanged(itemText(index)); });
}

void CComboBox2::AddHistoryItem(const std::u16string& text) {
    items_.push_back(text);
    RebuildItems();
}

void CComboBox2::SetHistory(const std::vector<std::u16string>& items) {
    items_ = items;
    RebuildItems();
}

void CComboBox2::RebuildItems() {
    EditState state(lineEdit());
    {
        // Filling the list moves the current item, which would put an entry into the edit.
        const QSignalBlocker blocker(this);
        clear();
        for (const std::u16string& item : items_) {
            addItem(QString::fromStdU16String(ComboMatch::DisplayText(item)));
        }
        setCurrentIndex(-1);
    }
    state.Restore(lineEdit());
}

QStringList CComboBox2::Suggestions() const {
    return suggestionModel_->stringList();
}

bool CComboBox2::SuggestionsShown() const {
    return suggestions_->isVisible();
}

void CComboBox2::OnTextEdited(const QString& text) {
    if (text.isEmpty()) {
        HideSuggestions();
        return;
    }
    EditState state(lineEdit());
    QStringList shown;
    for (const std::u16string& match : ComboMatch::Matches(items_, text.toStdU16String())) {
        shown.append(QString::fromStdU16String(match));
    }
    suggestionModel_->setStringList(shown);
    if (shown.isEmpty()) {
        suggestions_->hide();
    } else {
        PlaceSuggestions();
        suggestions_->show();
        suggestions_->raise();
        qApp->installEventFilter(this);
    }
    state.Restore(lineEdit());
}

void CComboBox2::PlaceSuggestions() {
    // As wide as the whole box, right under it.
    const int rows = std::min(suggestionModel_->rowCount(), kVisibleSuggestions);
    const int rowHeight = std::max(suggestions_->sizeHintForRow(0), fontMetrics().height() + 4);
    const int frame = 2 * suggestions_->frameWidth();
    suggestions_->setGeometry(
        QRect(mapToGlobal(QPoint(0, height())), QSize(width(), rows * rowHeight + frame)));
    suggestions_->setCurrentIndex(QModelIndex());
    suggestions_->clearSelection();
    if (watchedWindow_ != window()) {
        if (watchedWindow_ != nullptr) {
            watchedWindow_->removeEventFilter(this);
        }
        watchedWindow_ = window();
        watchedWindow_->installEventFilter(this);
    }
}

bool CComboBox2::MoveInSuggestions(int step) {
    const int rows = suggestionModel_->rowCount();
    if (rows == 0) {
        return false;
    }
    const QModelIndex current = suggestions_->currentIndex();
    int row = current.isValid() ? current.row() + step : (step > 0 ? 0 : rows - 1);
    row = std::clamp(row, 0, rows - 1);
    const QModelIndex next = suggestionModel_->index(row, 0);
    suggestions_->setCurrentIndex(next);
    suggestions_->selectionModel()->select(next, QItemSelectionModel::ClearAndSelect);
    return true;
}

bool CComboBox2::eventFilter(QObject* watched, QEvent* event) {
    if (!suggestions_->isVisible()) {
        return QComboBox::eventFilter(watched, event);
    }
    if (watched == lineEdit()) {
        if (event->type() == QEvent::FocusOut) {
            HideSuggestions();
        } else if (event->type() == QEvent::KeyPress && SuggestionKey(static_cast<QKeyEvent*>(event))) {
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        // A press anywhere but in the list or the edit closes the list and goes on where it was
        // aimed. The application's filter sees every press while the list shows.
        auto* target = qobject_cast<QWidget*>(watched);
        if (target != nullptr && target != lineEdit() && target != suggestions_ &&
            !suggestions_->isAncestorOf(target)) {
            HideSuggestions();
        }
    } else if (watched == watchedWindow_) {
        switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Hide:
            case QEvent::WindowDeactivate:
                HideSuggestions();
                break;
            default:
                break;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

bool CComboBox2::SuggestionKey(QKeyEvent* key) {
    if (!suggestions_->isVisible()) {
        return false;
    }
    switch (key->key()) {
        case Qt::Key_Down:
            return MoveInSuggestions(1);
        case Qt::Key_Up:
            return MoveInSuggestions(-1);
        case Qt::Key_Escape:
            // Escape closes the list and goes no further: the window must not take it as well.
            HideSuggestions();
            key->accept();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            // Only an entry the user went to is taken; otherwise the list closes and Enter goes on
            // to the window, whose default button it presses.
            const QModelIndex current = suggestions_->currentIndex();
            if (current.isValid()) {
                OnSuggestionChosen(current.data().toString());
                key->accept();
                return true;
            }
            HideSuggestions();
            return false;
        }
        default:
            return false;
    }
}

void CComboBox2::keyPressEvent(QKeyEvent* event) {
    if (SuggestionKey(event)) {
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CComboBox2::focusOutEvent(QFocusEvent* event) {
    // The drop-down taking the focus is not leaving the box.
    if (event->reason() != Qt::PopupFocusReason) {
        HideSuggestions();
    }
    QComboBox::focusOutEvent(event);
}

void CComboBox2::hideEvent(QHideEvent* event) {
    HideSuggestions();
    QComboBox::hideEvent(event);
}

void CComboBox2::OnSuggestionChosen(const QString& text) {
    lineEdit()->setText(text);
    HideSuggestions();
    emit SelectionChanged(text);
}

void CComboBox2::HideSuggestions() {
    qApp->removeEventFilter(this);
    suggestions_->hide();
    suggestionModel_->setStringList({});
}

void CComboBox2::showPopup() {
    // The user opened the list: every item, and the edit keeps what was typed.
    HideSuggestions();
    EditState state(lineEdit());
    QComboBox::showPopup();
    state.Restore(lineEdit());
}
