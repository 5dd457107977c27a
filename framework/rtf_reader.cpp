#include "framework/rtf_reader.h"

#include <string_view>

#include "framework/rtf_document_builder.h"
#include "framework/rtf_parser.h"

namespace fw {

void ReadRtf(const QByteArray& rtf, QTextDocument& doc) {
  try {
    RtfDocumentBuilder builder(doc);
    RtfParser parser(builder);
    parser.Parse(std::string_view(rtf.constData(), static_cast<size_t>(rtf.size())));
  } catch (...) {
    // Out of memory on a huge document: keep what was built.
  }
}

}  // namespace fw
