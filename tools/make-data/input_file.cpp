#include "input_file.h"

#include <bzlib.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& why) {
  throw std::runtime_error(path.string() + ": " + why);
}

}  // namespace

std::string ReadPlainFile(const std::filesystem::path& path) {
  // A folder would otherwise open and report a nonsense size.
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) Fail(path, "is a folder");
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(path, "cannot open");
  std::string text;
  in.seekg(0, std::ios::end);
  const auto size = in.tellg();
  if (size < 0) Fail(path, "cannot read");
  text.resize(static_cast<std::size_t>(size));
  in.seekg(0);
  in.read(text.data(), size);
  if (in.gcount() != size) Fail(path, "cannot read");
  return text;
}

std::string ReadBzip2File(const std::filesystem::path& path) {
  const std::string packed = ReadPlainFile(path);
  if (packed.empty()) Fail(path, "empty bzip2 file");
  std::string text;
  text.resize(packed.size() * 8);
  std::size_t used_in = 0;
  std::size_t used_out = 0;
  while (used_in < packed.size()) {
    bz_stream stream{};
    if (BZ2_bzDecompressInit(&stream, 0, 0) != BZ_OK) Fail(path, "bzip2 initialisation failed");
    int status = BZ_OK;
    while (status == BZ_OK) {
      if (used_out == text.size()) text.resize(text.size() * 2);
      // Chunks stay within unsigned int, which is all bzlib counts in.
      const std::size_t in_chunk = std::min<std::size_t>(packed.size() - used_in, 1u << 30);
      const std::size_t out_chunk = std::min<std::size_t>(text.size() - used_out, 1u << 30);
      stream.next_in = const_cast<char*>(packed.data() + used_in);
      stream.avail_in = static_cast<unsigned>(in_chunk);
      stream.next_out = text.data() + used_out;
      stream.avail_out = static_cast<unsigned>(out_chunk);
      status = BZ2_bzDecompress(&stream);
      used_in += in_chunk - stream.avail_in;
      used_out += out_chunk - stream.avail_out;
      if (status == BZ_OK && stream.avail_in == in_chunk && stream.avail_out == out_chunk) {
        status = BZ_UNEXPECTED_EOF;  // no progress possible: the stream is cut short
      }
    }
    BZ2_bzDecompressEnd(&stream);
    if (status != BZ_STREAM_END) Fail(path, "corrupt or truncated bzip2 data");
  }
  text.resize(used_out);
  return text;
}

std::string ReadDataFile(const std::filesystem::path& path) {
  return path.extension() == ".bz2" ? ReadBzip2File(path) : ReadPlainFile(path);
}
