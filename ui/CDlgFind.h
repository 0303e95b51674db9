// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include <QDialog>
#include <QPoint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The album search window (dialog 704): a small borderless window with the keyword edit 1639, the
// check boxes 1033 "区分大小写" and 1034 "全字匹配" and the buttons 1701 "上一个", 1006 "下一个"
// (the default) and 1699 "×". In search mode it stays open beside the main window and asks its
// owner to search, and a line under the buttons says when nothing matched or the search went
// round; in filter mode (run modally, titled "相册筛选") only the edit, "筛选" and "×" are there,
// and "筛选" closes it with OK. A press of the left button anywhere but on a control drags it.
// "×" only hides it, so the keyword and the check boxes are there next time.
class CDlgFind : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Search, Filter };

    explicit CDlgFind(Mode mode, QWidget* parent = nullptr);

    void SetMode(Mode mode);
    Mode CurrentMode() const { return mode_; }

    // The keyword with white space trimmed at both ends.
    std::u16string Keyword() const;
    bool MatchCase() const;
    bool WholeCell() const;

    // Puts the window's centre on the centre of window (nothing when window is null).
    void CentreOn(const QWidget* window);

    // The line under the buttons that tells how the last search went; empty hides it.
    void SetStatus(const QString& text);
    QString Status() const;

signals:
    // "下一个" (down) or "上一个" in search mode.
    void searchRequested(bool down);
    void visibilityChanged(bool shown);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnNext();

    Mode mode_;
    QLabel* caption_;
    QLabel* status_;
    QLineEdit* keyword_;
    QCheckBox* matchCase_;
    QCheckBox* wholeCell_;
    QPushButton* previous_;
    QPushButton* next_;
    QPushButton* close_;
    bool dragging_ = false;
    QPoint dragOffset_;  // from the window's top left to the press point
};
