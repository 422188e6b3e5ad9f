#include "modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>

ModalAnswerer::ModalAnswerer(std::function<QStringList()> lookBehind)
    : lookBehind_(std::move(lookBehind)) {
  connect(&poll_, &QTimer::timeout, this, &ModalAnswerer::answer);
  poll_.start(10);
}

void ModalAnswerer::answer() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) return;
  QStringList buttons;
  bool buttonPictures = false;
  for (QAbstractButton* button : box->buttons()) {
    buttons << button->text().remove('&');
    buttonPictures = buttonPictures || !button->icon().isNull();
  }
  seen.append({box->windowTitle(), box->text(), box->icon(), buttons, buttonPictures,
               lookBehind_(), box->isModal(),
               QGuiApplication::overrideCursor() != nullptr &&
                   QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor});
  box->button(QMessageBox::Ok)->click();
  if (afterAnswer) QTimer::singleShot(0, afterAnswer);
}
