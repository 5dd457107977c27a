#include "lookup/query.h"

#include "app/app.h"
#include "framework/chasing_arrows.h"
#include "framework/unhandled_exception.h"
#include "lookup/code_text.h"
#include "lookup/database_group.h"
#include "lookup/variant_items.h"
#include "main_window/main_window.h"

namespace {

std::uint64_t latestGeneration = 0;

const char kFourDigitQuery[] =
    "select kZVariant, kSemanticVariant, kSimplifiedVariant, kTraditionalVariant, kMandarin, "
    "kCantonese, kJapaneseKun, kJapaneseOn, kKorean, kVietnamese, kDefinition from unihan where "
    "code=?";
const char kFiveDigitQuery[] =
    "select kZVariant, kSemanticVariant, kSimplifiedVariant, kTraditionalVariant, kMandarin, "
    "kCantonese, kJapaneseKun, kJapaneseOn, kKorean, kVietnamese, kDefinition, "
    "kCompatibilityVariant "
    "from unihan where code=?";

template <class C>
C& Control(const char* name) {
  return MainWindow::Instance()->ControlByName<C>(QString::fromLatin1(name));
}

fw::SqlDatabase* Connection(DatabaseGroup group) {
  if (group == DatabaseGroup::None) return nullptr;
  App* app = App::Instance();
  if (!app) throw fw::NilObjectException("no application object");
  // The groups after None are in the order of the connections.
  const auto& database = App::kDatabaseFiles[static_cast<int>(group) - 1];
  fw::SqlDatabase* connection = (app->*database.property).get();
  if (!connection) throw fw::NilObjectException("database connection not made");
  return connection;
}

QString Column(const fw::RecordSet& row, const char* name) {
  const fw::DatabaseField* field = row.Field(QString::fromLatin1(name));
  if (!field) throw fw::NilObjectException(std::string("no column ") + name);
  return field->StringValue();
}

}  // namespace

const char Query::kNotFound[] = "您輸入的字並非漢字、或未收錄於本程式的資料庫中。";

Query::Query() : generation_(++latestGeneration) {}

bool Query::Superseded() const { return generation_ != latestGeneration; }

void Query::HideSpinner() { Control<fw::ChasingArrows>("ChasingArrows1").SetVisible(false); }

void Query::UnhandledException(std::exception_ptr) {
  // The failure is reported by the framework; the spinner must not turn on.
  if (!Superseded()) HideSpinner();
}

fw::Task<void> Query::Run() {
  const QString code = MainWindow::Instance()->GetUnicodeCode(
      FirstCharacter(Control<fw::EditField>("HanziField").Text()));
  Control<fw::EditField>("ZVariantField").SetText(QString());
  Control<fw::StaticText>("CodeText").SetCaption(QStringLiteral("Unicode: ") + code);
  const QString supplementary = co_await MainWindow::Instance()->GetMoravelVariant(code);
  if (Superseded()) co_return;
  Control<fw::EditField>("ZVariantField").SetText(supplementary);

  const DatabaseGroup group = DatabaseGroupOf(code);
  std::unique_ptr<fw::RecordSet> row;
  if (fw::SqlDatabase* connection = Connection(group))
    row = connection->SQLSelect(
        QString::fromLatin1(group == DatabaseGroup::Hanzidata5 ? kFiveDigitQuery : kFourDigitQuery),
        {code});
  if (row && row->Eof()) {
    co_await fw::MsgBoxAsync(QString::fromUtf8(kNotFound));
    if (Superseded()) co_return;
  } else if (row) {
    static const std::pair<const char*, const char*> kReadings[] = {
        {"MandarinField", "kMandarin"},       {"CantoneseField", "kCantonese"},
        {"JapaneseKunField", "kJapaneseKun"}, {"JapaneseOnField", "kJapaneseOn"},
        {"KoreanField", "kKorean"},           {"VietnameseField", "kVietnamese"},
        {"DefinitionField", "kDefinition"}};
    for (const auto& [field, column] : kReadings)
      Control<fw::EditField>(field).SetText(Column(*row, column));

    // Z-variants, then semantic variants, each unless already shown.
    QStringList items = VariantItems(row->IdxField(1)->StringValue());
    items += VariantItems(row->IdxField(2)->StringValue());
    for (const QString& item : items) {
      const QString variant = VariantItemCharacter(item);
      fw::EditField& variants = Control<fw::EditField>("ZVariantField");
      if (!variants.Text().contains(variant)) variants.SetText(variants.Text() + variant);
      co_await fw::Yield();
      if (Superseded()) co_return;
    }
    // Compatibility variants of supplementary characters, always appended.
    if (code.size() == 5) {
      for (const QString& item : VariantItems(Column(*row, "kCompatibilityVariant"))) {
        fw::EditField& variants = Control<fw::EditField>("ZVariantField");
        variants.SetText(variants.Text() + VariantItemCharacter(item));
        co_await fw::Yield();
        if (Superseded()) co_return;
      }
    }
  }
  HideSpinner();
}
