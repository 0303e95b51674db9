// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QStringList>
#include <string>
#include <vector>

class QListView;
class QStringListModel;

// The history combo box of the input box (1001) and the save-path box (1000). Typing shows, under
// the edit, the history items that contain the typed text, ignoring case; the typed text, the
// cursor and the selection stay as they were. Opening the drop-down shows every item.
//
// The list under the edit takes neither the mouse nor the keyboard: a click elsewhere (on "获取相册")
// does what it always does and closes the list on the way, and Enter presses the window's default
// button unless the user went down into the list with the arrow keys, when it takes that entry.
class CComboBox2 : public QComboBox {
    Q_OBJECT
public:
    explicit CComboBox2(QWidget* parent = nullptr);

    // Appends a history entry (in order of addition); the edit text stays.
    void AddHistoryItem(const std::u16string& text);
    // Replaces the items, e.g. with the history loaded at start-up.
    void SetHistory(const std::vector<std::u16string>& items);
    const std::vector<std::u16string>& HistoryItems() const { return items_; }

    // The items the typed text matches, as the list under the edit shows them, and whether that
    // list is showing.
    QStringList Suggestions() const;
    bool SuggestionsShown() const;

    void showPopup() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // The box, not its edit, has the keyboard focus (the edit's focus goes to the box): the keys
    // and the focus leaving reach the list here.
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

signals:
    // The user chose an entry from either list; the edit already holds it.
    void SelectionChanged(const QString& text);

private:
    void OnTextEdited(const QString& text);
    void OnSuggestionChosen(const QString& text);
    void HideSuggestions();
    void PlaceSuggestions();
    // Up or down in the list under the edit; true when the key was used.
    bool MoveInSuggestions(int step);
    // A key while the list under the edit shows; true when the list used it up.
    bool SuggestionKey(QKeyEvent* key);
    void RebuildItems();

    std::vector<std::u16string> items_;
    QStringListModel* suggestionModel_ = nullptr;
    QListView* suggestions_ = nullptr;
    QWidget* watchedWindow_ = nullptr;  // the top-level window, whose moves close the list
};
