// Answers the modal message boxes that come up while a test drives the window, as a user
// would: looks at the box and at the window behind it, then presses OK.
#pragma once

#include <functional>

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon;
  QStringList buttons;   // the texts of its buttons
  bool buttonPictures;   // any of its buttons shows a picture
  QStringList behind;    // what lookBehind returned while the box was up
  bool modal;
  bool waitCursor;       // the wait cursor showed over the box
};

class ModalAnswerer : public QObject {
  Q_OBJECT

 public:
  explicit ModalAnswerer(std::function<QStringList()> lookBehind);

  QList<SeenBox> seen;
  // Runs after each answer, once the box has closed.
  std::function<void()> afterAnswer;

 private:
  void answer();

  std::function<QStringList()> lookBehind_;
  QTimer poll_;
};
