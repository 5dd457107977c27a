#include "framework/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace fw {
namespace {
MessageHandler& Handler() {
  static MessageHandler handler;
  return handler;
}
}  // namespace

void SetMessageHandler(MessageHandler handler) { Handler() = std::move(handler); }

bool DeliverToMessageHandler(const QString& text) {
  if (!Handler()) return false;
  Handler()(text);
  return true;
}

void MsgBox(const QString& text) {
  if (DeliverToMessageHandler(text)) return;
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

}  // namespace fw
