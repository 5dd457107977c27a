#include "framework/web_view.h"

#include <QStringDecoder>
#include <QTextBrowser>

#include "framework/rtf_reader.h"
#include "framework/window.h"

namespace fw {

void WebFrame::LoadData(const QByteArray& data, const QString& mimeType, const QString& encoding,
                        const QString&) {
  ++loads_;
  if (mimeType.compare(QLatin1String("text/rtf"), Qt::CaseInsensitive) == 0) {
    ReadRtf(data, *browser_.document());
    browser_.moveCursor(QTextCursor::Start);  // show the document from its top
    return;
  }
  QStringDecoder decoder(encoding.toLatin1().constData());
  const QString text = decoder.isValid() ? decoder.decode(data) : QString::fromUtf8(data);
  if (mimeType.compare(QLatin1String("text/html"), Qt::CaseInsensitive) == 0)
    browser_.setHtml(text);
  else
    browser_.setPlainText(text);
}

WebkitControl::WebkitControl(Window& window)
    : Control(window, new QTextBrowser(window.Content())),
      browser_(static_cast<QTextBrowser*>(Widget())) {
  browser_->setReadOnly(true);
  browser_->setOpenLinks(false);
  browser_->setFrameStyle(QFrame::NoFrame);
}

void WebkitControl::SetWebView(std::shared_ptr<WebView> view) {
  view_ = std::move(view);
  if (view_) view_->frame_ = std::make_unique<WebFrame>(*browser_);
}

}  // namespace fw
