// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CSplashScreenEx.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>

#include "ui/AppArt.h"

namespace {

constexpr QSize kSize(321, 210);
// From (30, 50) to (291, 160).
constexpr QRect kTextArea(QPoint(30, 50), QPoint(291, 160));

}  // namespace

CSplashScreenEx::CSplashScreenEx(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      background_(AppArt::SplashBackground(kSize)),
      textArea_(kTextArea) {
    setObjectName("splash");
    setFixedSize(kSize);
    setAttribute(Qt::WA_DeleteOnClose);
}

void CSplashScreenEx::SetText(const QString& text) {
    text_ = text;
    update();
}

void CSplashScreenEx::Show() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    // Drawn once off screen first: the first drawing loads the fonts, and the window system would
    // show an empty frame meanwhile.
    grab();
    show();
    repaint();
}

void CSplashScreenEx::FadeOut(int fadeMs) {
    auto* fade = new QPropertyAnimation(this, "windowOpacity", this);
    fade->setDuration(fadeMs);
    fade->setStartValue(windowOpacity());
    fade->setEndValue(0.0);
    connect(fade, &QPropertyAnimation::finished, this, &QWidget::close);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

void CSplashScreenEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
    QFont title = font();
    title.setPointSize(26);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(30, 12, width() - 60, 40), Qt::AlignLeft | Qt::AlignVCenter, "Orvelle");
    QFont body = font();
    body.setPointSize(20);
    painter.setFont(body);
    painter.drawText(textArea_, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text_);
}
