#pragma once
// Characters to draw, grouped by the font they are drawn in. Stored as UTF-8
// text, one line per font: design name, pixel size, bold, italic, then the
// characters, separated by tabs.
#include <QString>
#include <map>
#include <optional>
#include <set>
#include <tuple>

struct DrawFont {
  QString designName;  // as the windows name it; fw::FontFor turns it into families
  int size = 0;        // pixels
  bool bold = false;
  bool italic = false;

  bool operator<(const DrawFont& other) const {
    return std::tie(designName, size, bold, italic) <
           std::tie(other.designName, other.size, other.bold, other.italic);
  }
};

class DrawList {
 public:
  // Adds the text's characters once each; line breaks, tabs and other
  // control characters draw nothing and are left out.
  void Add(const DrawFont& font, const QString& text);
  const std::map<DrawFont, std::set<char32_t>>& Fonts() const { return fonts_; }
  qsizetype CharacterCount() const;

  bool Write(const QString& path) const;
  // Nothing when the file cannot be read or a line is malformed.
  static std::optional<DrawList> Read(const QString& path);

 private:
  std::map<DrawFont, std::set<char32_t>> fonts_;
};
