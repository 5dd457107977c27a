// make-data: builds the character databases and the UniVariants table from
// Unihan and OpenCC's character dictionaries.
//
//   make-data --unihan-dir DIR --opencc-dir DIR --out DIR
//
// The Unihan folder holds Unihan_*.txt or Unihan_*.txt.bz2; the OpenCC folder
// holds the dictionaries dumped as text (TSCharacters.txt, ...). Every output is
// replaced only once all of them are complete.

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "code_point.h"
#include "database_writer.h"
#include "opencc_dictionary.h"
#include "pending_file.h"
#include "uni_variants.h"
#include "unihan_data.h"

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 5> kDatabaseNames = {
    "hanzidata.rsd", "hanzidata2.rsd", "hanzidata3.rsd", "hanzidata4.rsd", "hanzidata5.rsd"};
constexpr const char* kUniVariantsName = "UniVariants";

struct Options {
  fs::path unihanDir;
  fs::path openccDir;
  fs::path outDir;
};

constexpr const char* kUsage = "usage: make-data --unihan-dir DIR --opencc-dir DIR --out DIR\n";

std::optional<Options> ParseArguments(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    fs::path* target = name == "--unihan-dir"   ? &options.unihanDir
                       : name == "--opencc-dir" ? &options.openccDir
                       : name == "--out"        ? &options.outDir
                                                : nullptr;
    if (!target || i + 1 == argc) return std::nullopt;
    *target = argv[++i];
  }
  if (options.unihanDir.empty() || options.openccDir.empty() || options.outDir.empty()) {
    return std::nullopt;
  }
  return options;
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) throw std::runtime_error(path.string() + ": cannot write");
}

void Run(const Options& options) {
  const auto start = std::chrono::steady_clock::now();

  const UnihanData unihan = ReadUnihan(UnihanFilesIn(options.unihanDir));
  if (unihan.malformed_lines() > 0) {
    std::cerr << "make-data: warning: skipped " << unihan.malformed_lines()
              << " malformed Unihan line(s), first at";
    for (const auto& where : unihan.malformed_examples()) std::cerr << ' ' << where;
    std::cerr << '\n';
  }
  std::vector<CharacterMap> dictionaries;
  for (const std::string_view name : kOpenccDictionaries) {
    dictionaries.push_back(ReadOpenccDictionary(options.openccDir / (std::string(name) + ".txt")));
  }

  std::array<std::vector<char32_t>, kDatabaseNames.size()> rows;
  for (const char32_t code_point : unihan.CodePoints()) {
    if (const auto index = DatabaseIndexFor(code_point)) rows[*index].push_back(code_point);
  }
  const auto variants = CollectUniVariants(unihan, dictionaries);

  std::error_code error;
  fs::create_directories(options.outDir, error);
  if (error) throw std::runtime_error(options.outDir.string() + ": " + error.message());

  std::vector<std::unique_ptr<PendingFile>> outputs;
  for (std::size_t i = 0; i < kDatabaseNames.size(); ++i) {
    outputs.push_back(std::make_unique<PendingFile>(options.outDir / kDatabaseNames[i]));
    WriteUnihanDatabase(outputs.back()->temporary_path(), unihan, rows[i]);
  }
  outputs.push_back(std::make_unique<PendingFile>(options.outDir / kUniVariantsName));
  WriteText(outputs.back()->temporary_path(), UniVariantsText(variants));
  for (const auto& output : outputs) output->Commit();

  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  std::cout << "make-data: rows";
  for (std::size_t i = 0; i < kDatabaseNames.size(); ++i) {
    std::cout << ' ' << kDatabaseNames[i] << '=' << rows[i].size();
  }
  std::cout << ", " << kUniVariantsName << '=' << variants.size() << " lines, " << elapsed.count()
            << " ms\n";
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = ParseArguments(argc, argv);
  if (!options) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    Run(*options);
  } catch (const std::exception& failure) {
    std::cerr << "make-data: " << failure.what() << '\n';
    return 1;
  }
  return 0;
}
