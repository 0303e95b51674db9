// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

// The start-up splash: a picture with white text in a fixed area. It closes with a short fade.
class CSplashScreenEx : public QWidget {
    Q_OBJECT
public:
    explicit CSplashScreenEx(QWidget* parent = nullptr);

    // The text drawn in the text area, in white at font size 20.
    void SetText(const QString& text);
    QString Text() const { return text_; }
    // Shows the splash centred on the screen, drawn at once.
    void Show();
    // Fades out over fadeMs milliseconds, then closes and deletes itself.
    void FadeOut(int fadeMs = 200);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap background_;
    QRect textArea_;
    QString text_;
};
