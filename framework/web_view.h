#pragma once
// A document view: a read-only text browser that shows documents handed to
// its main frame as bytes with a MIME type. RTF goes through our own reader.
#include <QByteArray>
#include <QString>
#include <memory>

#include "framework/control.h"

class QTextBrowser;

namespace fw {

class WebFrame {
 public:
  explicit WebFrame(QTextBrowser& browser) : browser_(browser) {}
  // Shows the data: "text/rtf", "text/html", anything else as plain text in
  // the named encoding (UTF-8 when unknown). The base address is not used.
  void LoadData(const QByteArray& data, const QString& mimeType, const QString& encoding,
                const QString& baseUrl = QString());
  int Loads() const { return loads_; }

 private:
  QTextBrowser& browser_;
  int loads_ = 0;
};

class WebView {
 public:
  int Create() { return 0; }
  // The frame that shows documents; none until the view is put in a control.
  WebFrame* MainFrame() const { return frame_.get(); }

 private:
  friend class WebkitControl;
  std::unique_ptr<WebFrame> frame_;
};

// The control that shows a web view.
class WebkitControl : public Control {
 public:
  explicit WebkitControl(Window& window);
  void SetWebView(std::shared_ptr<WebView> view);
  std::shared_ptr<WebView> GetWebView() const { return view_; }
  QTextBrowser& Browser() const { return *browser_; }

 private:
  QTextBrowser* browser_;
  std::shared_ptr<WebView> view_;
};

}  // namespace fw
