// The main window's localizable texts with their English defaults.
#include "framework/localized_strings.h"
#include "main_window/main_window.h"

namespace {
QString Localized(const char* name, const char* english) {
  return fw::GetLocalizedString("MainWindow", name, QString::fromUtf8(english));
}
}  // namespace

QString MainWindow::kVariants() { return Localized("kVariants", "Variants:"); }
QString MainWindow::kFontSize() { return Localized("kFontSize", "Font size:"); }
QString MainWindow::kVariantsTab() { return Localized("kVariantsTab", "Variants"); }
QString MainWindow::kPronunciationTab() { return Localized("kPronunciationTab", "Pronunciation"); }
QString MainWindow::kMeaningTab() { return Localized("kMeaningTab", "Meaning"); }
QString MainWindow::kEnglishDefinition() {
  return Localized("kEnglishDefinition", "English Definition:");
}
QString MainWindow::kHanyuPinyin() { return Localized("kHanyuPinyin", "Hanyu Pinyin:"); }
QString MainWindow::kCantonese() { return Localized("kCantonese", "Cantonese:"); }
QString MainWindow::kJapaneseKunyomi() {
  return Localized("kJapaneseKunyomi", "Japanese (kunyomi):");
}
QString MainWindow::kJapaneseOnyomi() { return Localized("kJapaneseOnyomi", "Japanese (onyomi):"); }
QString MainWindow::kKorean() { return Localized("kKorean", "Korean:"); }
QString MainWindow::kVietnamese() { return Localized("kVietnamese", "Vietnamese:"); }
