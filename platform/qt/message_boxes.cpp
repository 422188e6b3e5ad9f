#include "platform/qt/message_boxes.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>
#include <QString>

#include "platform/qt/busy_cursor.h"

namespace brask {
namespace {

// A box with the prompt, the title and one OK button, without icon; returns once closed.
void showModal(QWidget& owner, const std::wstring& prompt, const std::wstring& title) {
  showOwnCursors();
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdWString(title),
                  QString::fromStdWString(prompt), QMessageBox::Ok, &owner);
  box.setTextFormat(Qt::PlainText);
  // Some styles put a picture on OK as well; the box shows none.
  box.button(QMessageBox::Ok)->setIcon(QIcon());
  box.exec();
}

}  // namespace

void MessageBoxes::messageBox(const std::wstring& prompt, const std::wstring& title) {
  showModal(owner_, prompt, title);
}

void MessageBoxes::runTimeErrorBox(const RunTimeError& error) {
  showModal(owner_, runTimeErrorText(error), kProgramTitle);
}

}  // namespace brask
