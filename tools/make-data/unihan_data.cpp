#include "unihan_data.h"

#include <algorithm>
#include <future>
#include <regex>
#include <stdexcept>

#include "code_point.h"
#include "input_file.h"

namespace {

constexpr std::size_t kMalformedExamples = 5;

std::optional<std::size_t> FieldIndex(std::string_view name) {
  const auto found = std::find(kUnihanFields.begin(), kUnihanFields.end(), name);
  if (found == kUnihanFields.end()) return std::nullopt;
  return static_cast<std::size_t>(found - kUnihanFields.begin());
}

struct UnihanLine {
  char32_t code_point;
  std::string_view field;
  std::string_view value;
};

std::optional<UnihanLine> ParseLine(std::string_view line) {
  const auto first_tab = line.find('\t');
  if (first_tab == std::string_view::npos) return std::nullopt;
  const auto second_tab = line.find('\t', first_tab + 1);
  if (second_tab == std::string_view::npos || second_tab == first_tab + 1) return std::nullopt;
  const std::string_view code = line.substr(0, first_tab);
  // Bare code points only: a "<source" tail belongs in values, not here.
  if (code.find('<') != std::string_view::npos) return std::nullopt;
  const auto code_point = ParseUnihanCode(code);
  if (!code_point) return std::nullopt;
  return UnihanLine{*code_point, line.substr(first_tab + 1, second_tab - first_tab - 1),
                    line.substr(second_tab + 1)};
}

}  // namespace

void UnihanData::AddText(std::string text, const std::string& source_name) {
  texts_.push_back(std::make_unique<std::string>(std::move(text)));
  std::string_view rest = *texts_.back();
  std::size_t line_number = 0;
  char32_t last_code_point = 0;
  UnihanRecord* last_record = nullptr;  // lines come grouped by code point
  while (!rest.empty()) {
    const auto end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const auto parsed = ParseLine(line);
    if (!parsed) {
      if (++malformedLines_ <= kMalformedExamples) {
        malformedExamples_.push_back(source_name + ":" + std::to_string(line_number));
      }
      continue;
    }
    if (!last_record || parsed->code_point != last_code_point) {
      last_record = &records_[parsed->code_point];
      last_code_point = parsed->code_point;
    }
    if (const auto index = FieldIndex(parsed->field)) {
      std::string_view& slot = (*last_record)[*index];
      if (slot.empty()) slot = parsed->value;
    }
  }
}

const UnihanRecord* UnihanData::Find(char32_t code_point) const {
  const auto found = records_.find(code_point);
  return found == records_.end() ? nullptr : &found->second;
}

std::vector<char32_t> UnihanData::CodePoints() const {
  std::vector<char32_t> code_points;
  code_points.reserve(records_.size());
  for (const auto& [code_point, record] : records_) code_points.push_back(code_point);
  std::sort(code_points.begin(), code_points.end());
  return code_points;
}

std::vector<std::filesystem::path> UnihanFilesIn(const std::filesystem::path& folder) {
  static const std::regex name_pattern(R"(Unihan_.+\.txt(\.bz2)?)");
  std::error_code error;
  std::filesystem::directory_iterator entries(folder, error);
  if (error) throw std::runtime_error(folder.string() + ": " + error.message());
  std::vector<std::filesystem::path> files;
  for (const auto& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && std::regex_match(name, name_pattern)) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  const auto found = files;
  std::erase_if(files, [&found](const std::filesystem::path& file) {
    return file.extension() == ".bz2" &&
           std::binary_search(found.begin(), found.end(), file.parent_path() / file.stem());
  });
  if (files.empty()) {
    throw std::runtime_error(folder.string() + ": no Unihan_*.txt or Unihan_*.txt.bz2 files");
  }
  return files;
}

UnihanData ReadUnihan(const std::vector<std::filesystem::path>& files) {
  std::vector<std::future<std::string>> texts;
  for (const auto& file : files) {
    texts.push_back(std::async(std::launch::async, [file] { return ReadDataFile(file); }));
  }
  UnihanData data;
  std::exception_ptr failure;
  for (std::size_t i = 0; i < files.size(); ++i) {
    try {
      // Every future is waited for, even after a failure, before leaving.
      std::string text = texts[i].get();
      if (!failure) data.AddText(std::move(text), files[i].filename().string());
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  if (failure) std::rethrow_exception(failure);
  return data;
}
