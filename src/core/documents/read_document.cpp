#include "core/documents/read_document.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "core/formats/skin_file.h"
#include "core/formats/source_text/skin_table.h"

namespace pictavo {

namespace {

using Result = expected<Document, DocumentRefusal>;

// What a caller that takes every image is said to want.
constexpr std::string_view AnyImage = "a BMP, PNG, GIF or JPEG image";

// The kinds the caller takes, images only with a decoder.
KindSet Taken(const ReadHints& hints) {
  return hints.images != nullptr ? hints.takes : hints.takes.Without(Images);
}

// "a picture file", "a picture file or a source text", "a skin file, a source
// text or a BMP, PNG, GIF or JPEG image".
std::string WantedKinds(KindSet takes) {
  std::vector<std::string_view> names;
  for (const FileKindInfo& info : FileKinds()) {
    if (!takes.Has(info.kind)) continue;
    // A skin table is a source text too, to whoever takes both.
    if (info.kind == FileKind::SkinTable && takes.Has(FileKind::SourceText)) continue;
    if (IsImage(info.kind) && Images.Without(takes).Empty()) {
      if (info.kind == FileKind::BmpImage) names.push_back(AnyImage);
      continue;
    }
    names.push_back(info.name);
  }
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " or " : ", ";
    text += names[i];
  }
  return text;
}

std::optional<FileKind> OnlyKind(KindSet takes) {
  std::optional<FileKind> only;
  for (const FileKindInfo& info : FileKinds()) {
    if (!takes.Has(info.kind)) continue;
    if (only) return std::nullopt;
    only = info.kind;
  }
  return only;
}

DocumentRefusal Refusal(DocumentRefusal::Cause cause, std::optional<FileKind> kind,
                        std::string reason) {
  return {cause, kind, std::move(reason)};
}

DocumentRefusal Damaged(FileKind kind, std::string_view reason) {
  return Refusal(
      DocumentRefusal::Cause::Damaged, kind,
      "cannot be read as " + std::string(KindInfo(kind).name) + ": " + AsSentence(reason));
}

std::span<const std::uint8_t> Start(std::span<const std::uint8_t> bytes, std::size_t limit) {
  return bytes.first(std::min(bytes.size(), limit));
}

std::string_view AsText(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Where a text holds a byte no text holds: "Line 3: the byte 0x00 ...".
std::optional<std::string> StrayByte(std::span<const std::uint8_t> bytes) {
  if (LooksLikeText(bytes)) return std::nullopt;
  int line = 1;
  for (const std::uint8_t byte : bytes) {
    if (byte == '\n') ++line;
    if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f') ||
        byte == 0x7F) {
      char value[8];
      std::snprintf(value, sizeof value, "0x%02X", byte);
      return "Line " + std::to_string(line) + ": the byte " + value + " is not part of a text.";
    }
  }
  return std::nullopt;
}

expected<PictureDocument, std::string> ReadText(std::span<const std::uint8_t> bytes,
                                                const ReadTextOptions& options) {
  const auto text = Start(bytes, SourceTextReadLimit + 1);
  if (auto stray = StrayByte(text)) return unexpected(std::move(*stray));
  auto read = ReadSourceText(AsText(text), options);
  if (!read) return unexpected(std::move(read.error().message));
  return PictureDocument{std::move(read->picture), std::move(read->notes)};
}

// `named`: only the file's name says the kind.
Result ReadAs(FileKind kind, const StoredFile& file, const ReadHints& hints, bool named) {
  Document document{kind, file.size, PictureDocument{}};
  switch (kind) {
    case FileKind::PictureFile: {
      auto record = ReadPictureFile(Start(file.bytes, PictureReadLimit));
      if (!record) return unexpected(Damaged(kind, record.error().message));
      document.content = PictureDocument{std::move(*record), {}};
      return document;
    }
    case FileKind::SkinFile: {
      SkinFileRead read = ReadSkinFile(Start(file.bytes, SkinReadLimit));
      if (!read.skin) return unexpected(Damaged(kind, read.skin.error().message));
      document.content = SkinDocument{std::move(*read.skin), std::move(read.name), {}};
      return document;
    }
    case FileKind::SourceText: {
      auto text = ReadText(file.bytes, hints.text);
      if (!text) {
        DocumentRefusal refusal = Damaged(kind, text.error());
        const auto start = Start(file.bytes, SourceTextReadLimit + 1);
        refusal.wants_size = LooksLikeText(start) && TextWantsSize(AsText(start), hints.text);
        return unexpected(std::move(refusal));
      }
      document.content = std::move(*text);
      return document;
    }
    case FileKind::SkinTable: {
      const auto text = Start(file.bytes, SkinTableReadLimit + 1);
      if (auto stray = StrayByte(text)) return unexpected(Damaged(kind, *stray));
      auto read = ReadSkinTable(AsText(text), hints.text);
      if (!read) return unexpected(Damaged(kind, read.error().message));
      document.content =
          SkinDocument{std::move(read->skin), std::move(read->name), std::move(read->notes)};
      return document;
    }
    case FileKind::Font:
      return unexpected(Damaged(kind, "a font is made a skin by its own command"));
    default:
      break;
  }
  // An image has a signature: without one the decoder says what the bytes are.
  auto frames = hints.images->Decode(named ? std::nullopt : std::optional(kind),
                                     Start(file.bytes, hints.images->ReadLimit()), file.size,
                                     hints.all_frames);
  if (!frames) return unexpected(Damaged(kind, frames.error().message));
  if (frames->empty()) return unexpected(Damaged(kind, "the file holds no image"));
  document.content = ImageDocument{std::move(*frames)};
  return document;
}

// "is a PNG image, not a picture file." and how to make one of it.
DocumentRefusal OtherKind(FileKind kind, const StoredFile& file, const ReadHints& hints,
                          KindSet takes) {
  const FileKindInfo& info = KindInfo(kind);
  std::string_view name = info.name;
  std::string_view hint = hints.front == Front::Window ? info.window_hint : info.cli_hint;
  // A text is called a source text only when it reads as one.
  if (kind == FileKind::SourceText && !ReadText(file.bytes, hints.text) &&
      !TextWantsSize(AsText(Start(file.bytes, SourceTextReadLimit + 1)), hints.text)) {
    name = "a text file";
    hint = {};
  }
  std::string reason = "is " + std::string(name) + ", not " + WantedKinds(takes) + ".";
  if ((takes.Has(FileKind::PictureFile) || kind == FileKind::Font || kind == FileKind::SkinTable) &&
      !hint.empty()) {
    reason += " " + std::string(hint);
  }
  return Refusal(DocumentRefusal::Cause::OtherKind, kind, std::move(reason));
}

}  // namespace

std::size_t DocumentReadLimit(const ReadHints& hints) {
  const KindSet takes = Taken(hints);
  std::size_t limit = 0;
  if (takes.Has(FileKind::PictureFile)) limit = std::max(limit, PictureReadLimit);
  if (takes.Has(FileKind::SkinFile)) limit = std::max(limit, SkinReadLimit);
  if (takes.Has(FileKind::SourceText)) limit = std::max(limit, SourceTextReadLimit + 1);
  if (takes.Has(FileKind::SkinTable)) limit = std::max(limit, SkinTableReadLimit + 1);
  if (takes.Overlaps(Images)) limit = std::max(limit, hints.images->ReadLimit());
  return limit;
}

expected<Document, DocumentRefusal> ReadDocument(const StoredFile& file, const ReadHints& hints) {
  const KindSet takes = Taken(hints);
  if (const auto found = SniffFileKind(file.bytes, file.name)) {
    if (!takes.Has(*found)) return unexpected(OtherKind(*found, file, hints, takes));
    return ReadAs(*found, file, hints, false);
  }
  // The content tells nothing: the kind its name says, a picture file (the
  // one kind a damaged start hides), or the one kind taken.
  if (const auto named = KindOfName(file.name); named && takes.Has(*named)) {
    return ReadAs(*named, file, hints, true);
  }
  const auto guess = takes.Has(FileKind::PictureFile) ? FileKind::PictureFile : OnlyKind(takes);
  if (guess) return ReadAs(*guess, file, hints, false);
  return unexpected(Refusal(DocumentRefusal::Cause::OtherKind, std::nullopt,
                            "is not " + WantedKinds(takes) + "."));
}

}  // namespace pictavo
