#include "core/formats/picture_file.h"

#include <string>
#include <utility>

#include "core/formats/text_mode.h"

namespace pictavo {

namespace {

// Version 1 stored width, height and codes as 4-byte integers.
constexpr int WideFieldVersion = 1;

int FieldSize(std::int32_t version) { return version == WideFieldVersion ? 4 : 1; }

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<std::uint8_t>(bits >> shift));
  }
}

void AppendField(std::vector<std::uint8_t>& out, int value, int field_size) {
  if (field_size == 4) {
    AppendInt32(out, value);
  } else {
    out.push_back(static_cast<std::uint8_t>(value));
  }
}

// Reads the record front to back; every read is preceded by a check of
// Remaining(), so it never runs past the end.
class RecordCursor {
 public:
  explicit RecordCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Remaining() const { return bytes_.size() - position_; }

  std::int32_t Int32() {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= std::uint32_t{bytes_[position_++]} << (8 * i);
    return static_cast<std::int32_t>(bits);
  }
  std::int32_t Field(int field_size) { return field_size == 4 ? Int32() : bytes_[position_++]; }
  std::string Text(std::size_t length) {
    std::string text(reinterpret_cast<const char*>(bytes_.data() + position_), length);
    position_ += length;
    return text;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

unexpected<Error> Refuse(std::string message) {
  return unexpected<Error>(Error{std::move(message)});
}

std::string Num(long long value) { return std::to_string(value); }

// Empty when the size fits the storage, else why not.
std::string CheckSize(std::int32_t width, std::int32_t height) {
  if (width < 1) return "The width is " + Num(width) + "; a picture is at least 1 pixel wide.";
  if (width > MaxPictureWidth) {
    return "The width is " + Num(width) + ", above the largest " + Num(MaxPictureWidth) + ".";
  }
  if (height < 1) return "The height is " + Num(height) + "; a picture is at least 1 pixel high.";
  if (height > MaxPictureHeight) {
    return "The height is " + Num(height) + ", above the largest " + Num(MaxPictureHeight) + ".";
  }
  return {};
}

}  // namespace

std::vector<std::uint8_t> WritePictureFile(CodeGridView grid, std::string_view name, int version) {
  const int field_size = FieldSize(version);
  std::vector<std::uint8_t> record;
  record.reserve(8 + name.size() + 2 * 4 +
                 static_cast<std::size_t>(grid.Width()) * grid.Height() * field_size);
  AppendInt32(record, version);
  AppendInt32(record, static_cast<std::int32_t>(name.size()));
  record.insert(record.end(), name.begin(), name.end());
  AppendField(record, grid.Width(), field_size);
  AppendField(record, grid.Height(), field_size);
  for (int y = 1; y <= grid.Height(); ++y) {
    for (int x = 1; x <= grid.Width(); ++x) AppendField(record, ToInt(grid.At(x, y)), field_size);
  }
  return ToStoredForm(record);
}

expected<PictureRecord, Error> ReadPictureFile(std::span<const std::uint8_t> stored) {
  const std::vector<std::uint8_t> bytes = FromStoredForm(stored);
  RecordCursor in(bytes);
  if (in.Remaining() < 8) {
    return Refuse("The file is " + Num(static_cast<long long>(bytes.size())) +
                  " bytes long, too short for a picture: its version and name length alone take "
                  "8 bytes.");
  }
  const std::int32_t version = in.Int32();
  const std::int32_t name_length = in.Int32();
  if (name_length < 0) {
    return Refuse("The name length is " + Num(name_length) + "; it cannot be negative.");
  }
  if (static_cast<std::size_t>(name_length) > in.Remaining()) {
    return Refuse("The name length is " + Num(name_length) + ", but only " +
                  Num(static_cast<long long>(in.Remaining())) + " bytes follow it in the file.");
  }
  PictureRecord record;
  record.name = in.Text(static_cast<std::size_t>(name_length));

  const int field_size = FieldSize(version);
  if (in.Remaining() < static_cast<std::size_t>(2 * field_size)) {
    return Refuse("The file ends before the picture's width and height.");
  }
  const std::int32_t width = in.Field(field_size);
  const std::int32_t height = in.Field(field_size);
  if (std::string why = CheckSize(width, height); !why.empty()) return Refuse(std::move(why));

  // At most 96 x 92 x 4 bytes here, so no overflow.
  const std::size_t pixel_count =
      static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (in.Remaining() < pixel_count * static_cast<std::size_t>(field_size)) {
    return Refuse(
        "The file ends after " +
        Num(static_cast<long long>(in.Remaining() / static_cast<std::size_t>(field_size))) +
        " of the picture's " + Num(static_cast<long long>(pixel_count)) + " pixels.");
  }
  record.width = width;
  record.height = height;
  record.codes.reserve(pixel_count);
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      const std::int32_t code = in.Field(field_size);
      if (!IsPixelCode(code)) {
        return Refuse("The pixel at column " + Num(x) + ", row " + Num(y) + " has the code " +
                      Num(code) + "; pixel codes run from 0 to 4.");
      }
      record.codes.push_back(ToPixelCode(code));
    }
  }
  return record;
}

bool FitsPicture(const PictureRecord& record) {
  if (record.width < 1 || record.width > MaxPictureWidth || record.height < 1 ||
      record.height > MaxPictureHeight) {
    return false;
  }
  if (record.codes.size() != static_cast<std::size_t>(record.width) * record.height) return false;
  for (const PixelCode code : record.codes) {
    if (!IsPixelCode(ToInt(code))) return false;
  }
  return true;
}

bool ApplyPictureRecord(Picture& picture, const PictureRecord& record) {
  if (!FitsPicture(record)) return false;
  for (int y = 1; y <= record.height; ++y) {
    for (int x = 1; x <= record.width; ++x) picture.Cells.At(x, y) = record.At(x, y);
  }
  picture.Width = record.width;
  picture.Height = record.height;
  return true;
}

}  // namespace pictavo
