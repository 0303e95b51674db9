#include "settings/qt/CComboBox2.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringListModel>

#include "settings/ComboMatch.h"

namespace {

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
    suggestions_ = new QCompleter(suggestionModel_, this);
    suggestions_->setObjectName(QStringLiteral("suggestions"));
    suggestions_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    suggestions_->setWidget(lineEdit());
    connect(suggestions_, qOverload<const QString&>(&QCompleter::activated), this,
            &CComboBox2::OnSuggestionChosen);
    connect(lineEdit(), &QLineEdit::textEdited, this, &CComboBox2::OnTextEdited);
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
    return suggestions_->popup()->isVisible();
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
        suggestions_->popup()->hide();
    } else {
        // As wide as the whole box, right under it.
        QRect under(lineEdit()->mapFrom(this, QPoint(0, 0)), QSize(width(), lineEdit()->height()));
        suggestions_->complete(under);
    }
    state.Restore(lineEdit());
}

void CComboBox2::OnSuggestionChosen(const QString& text) {
    lineEdit()->setText(text);
    HideSuggestions();
    emit SelectionChanged(text);
}

void CComboBox2::HideSuggestions() {
    suggestions_->popup()->hide();
    suggestionModel_->setStringList({});
}

void CComboBox2::showPopup() {
    // The user opened the list: every item, and the edit keeps what was typed.
    HideSuggestions();
    EditState state(lineEdit());
    QComboBox::showPopup();
    state.Restore(lineEdit());
}
