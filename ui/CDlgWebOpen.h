#pragma once

#include <QDialog>
#include <QString>

class CExplorer1;
class QLineEdit;
class QPushButton;

// The login browser: the user logs in to a site here and closes the window; the cookies the site
// set are then sent with every later request. Opened at a start address, it goes there at once;
// opened without one, it shows the clipboard text in its address box and waits for "打开".
class CDlgWebOpen : public QDialog {
    Q_OBJECT
public:
    CDlgWebOpen(const QString& startUrl, QWidget* parent = nullptr);

    CExplorer1* Browser() const { return browser_; }
    QLineEdit* AddressBox() const { return address_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Open();

    QLineEdit* address_ = nullptr;
    QPushButton* open_ = nullptr;
    CExplorer1* browser_ = nullptr;
};
