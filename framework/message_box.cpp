#include "framework/message_box.h"

#include <QApplication>
#include <QDebug>
#include <QMessageBox>

namespace fw {
namespace {
DetailedMessageHandler& Handler() {
  static DetailedMessageHandler handler;
  return handler;
}
}  // namespace

void SetMessageHandler(MessageHandler handler) {
  if (!handler) {
    Handler() = nullptr;
    return;
  }
  Handler() = [handler = std::move(handler)](const QString& text, const QString&) {
    handler(text);
  };
}

void SetDetailedMessageHandler(DetailedMessageHandler handler) { Handler() = std::move(handler); }

bool DeliverToMessageHandler(const QString& text, const QString& detail) {
  if (!Handler()) return false;
  Handler()(text, detail);
  return true;
}

void MessagesToStandardError() {
  if (Handler()) return;
  Handler() = [](const QString& text, const QString& detail) {
    qWarning().noquote() << (detail.isEmpty() ? text : text + u'\n' + detail);
  };
}

void MsgBox(const QString& text, const QString& detail) {
  if (DeliverToMessageHandler(text, detail)) return;
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.setInformativeText(detail);
  box.exec();
}

}  // namespace fw
