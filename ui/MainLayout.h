// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class AlbumList;
class CComboBox2;
class CMyGridCtrl;
class CoverSource;
class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
struct AlbumView;

// The controls of dialog 102, made as children of the window and laid out in the proportions of
// the dialog's units: the status area, the site and input row, the save-path row and the album
// group with the grid. Every control's object name is its id ("c1004"). The window owns the
// controls (they are its children); this only keeps the pointers for the parts that drive them.
class MainLayout {
public:
    MainLayout(QDialog& window, AlbumView& view, AlbumList& albums, CoverSource& covers);

    QLabel* stage = nullptr;
    QLabel* progress = nullptr;
    QLabel* notice = nullptr;
    QProgressBar* progressBar = nullptr;
    QComboBox* site = nullptr;
    QComboBox* subMode = nullptr;
    CComboBox2* input = nullptr;
    QPushButton* listButton = nullptr;
    QPushButton* downloadButton = nullptr;
    CComboBox2* savePath = nullptr;
    QPushButton* chooseFolder = nullptr;
    QPushButton* openFolder = nullptr;
    QGroupBox* group = nullptr;
    QLabel* exportLink = nullptr;
    QLabel* filterLink = nullptr;
    QLabel* findLink = nullptr;
    QCheckBox* preview = nullptr;
    QCheckBox* selectAll = nullptr;
    CMyGridCtrl* grid = nullptr;
};
